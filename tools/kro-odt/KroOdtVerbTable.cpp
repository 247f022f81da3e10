// The verbs of kro-odt. To add one: write its function (int (KroOdtArgs&)), declare it in
// KroOdtCli.h and add its row here; the dispatcher checks its operand count and help lists it.
#include "KroOdtCli.h"

const std::vector<KroOdtVerb>& KroOdtVerbTable() {
  static const std::vector<KroOdtVerb> verbs = {
      {"help", "[VERB]", 0, 1, "", "this help, or more about one verb", "", KroOdtRunHelp},
      {"query", "TEXT", 1, 1, "", "split an output-format query into its keys and sub-queries",
       "Prints one line per outer key: the key, then, when the key carries one, a space and its\n"
       "sub-query in braces, exactly as it will be handed to the nested builder. An empty\n"
       "query prints nothing. Tabs, line ends and other control characters in keys are shown\n"
       "as \\t, \\n, \\r and \\xNN.\n"
       "\n"
       "  $ kro-odt query 'a{b c} d'\n"
       "  a {b c}\n"
       "  d\n",
       KroOdtRunQuery},
      {"gnid", "TEXT", 1, 1, "", "read an identifier (\"#42\", \"~FF~10\") and write it back",
       "Prints the kind of the identifier, its numbers and the text the library writes for it.\n"
       "\"#\" and a decimal number give kind 1; \"~\", a hexadecimal number, \"~\" and another\n"
       "give kind 3. Numbers are unsigned 32-bit.\n"
       "\n"
       "  $ kro-odt gnid '~ff~a'\n"
       "  kind:    3\n"
       "  numbers: 255 10 (hexadecimal FF A)\n"
       "  text:    ~FF~A\n",
       KroOdtRunGnId},
      {"octets", "TEXT", 1, 1, "", "read an octet text (\"['AB',0,'C']\") and write it back",
       "Prints the octets in decimal, their count and the text the library writes for them.\n"
       "Items are quoted runs of characters ('AB', with \\' and \\\\ inside) or decimal numbers,\n"
       "of which the low eight bits are kept.\n"
       "\n"
       "  $ kro-odt octets \"[1,'ab']\"\n"
       "  octets:  1 97 98\n"
       "  count:   3\n"
       "  text:    [1,'ab']\n",
       KroOdtRunOctets},
      {"info", "[MODEL]", 0, 1, "--json", "list the features, bodies and cell counts of a model",
       "Prints the model and, when reading it raised any, its reading warnings (what the\n"
       "geometric engine reported, an unresolved reference in a STEP file, say), then one line\n"
       "per feature (identifier, name, alias and journaling name when it has them, body), one\n"
       "line per body (name, tag, its cells by dimension) and the cell counts of the whole\n"
       "model. With --json, one JSON object with the keys \"model\", \"reading_warnings\",\n"
       "\"features\", \"bodies\" and \"cells\" instead.\n",
       KroOdtRunInfo},
      {"cells", "[MODEL]", 0, 1, "--dim", "write the topology stream of every cell",
       "Prints one line per cell: its compact topology stream and nothing else, body by body,\n"
       "in each body vertices, edges, faces, then volumes, each in the body's order. With\n"
       "--dim N (0 vertex, 1 edge, 2 face, 3 volume, or the name) only the cells of that\n"
       "dimension; with --dim feat one \"Feat\" stream per body. A cell whose stream cannot be\n"
       "written is told on stderr and makes the exit status 1.\n"
       "\n"
       "  $ kro-odt cells --dim 2 plate.brep\n"
       "  3_2_#1_Face_20_15_5_0_0_1__\n",
       KroOdtRunCells},
      {"features", "[MODEL]", 0, 1, "--logs --query", "write the GNAOSpec stream of every feature",
       "Prints one line per feature: its GNAOSpec stream as compact JSON, written with the\n"
       "output-format query Q (none by default, which writes \"bodyTag\"; for example\n"
       "--query alias, --query \"specId namingRef\"). With --logs, one line per element of the\n"
       "modeling log of every feature instead, written with Q (\"logElement\" by default; for\n"
       "example --query \"logElement{root{gnId} logPath}\" or --query gnId). An object whose\n"
       "stream cannot be written with Q (a feature without alias and --query alias) is told on\n"
       "stderr and makes the exit status 1.\n",
       KroOdtRunFeatures},
      {"access", "[MODEL]", 0, 1, "--dim --axes --query",
       "write the BRepAccess stream of every cell",
       "Prints one line per cell, body by body as cells lists them: the BRepAccess stream of the\n"
       "cell as compact JSON, its support being the feature that makes the body. Without\n"
       "--query Q it names the support by its body's tag and the cell by its tag:\n"
       "  {\"support\":{\"bodyTag\":\"1\"},\"topoTag\":\"12\"}\n"
       "--query picks other ways, for example \"support{specId} gnSelector\" (the report\n"
       "selector, \"Face:Construction.Face.3\") or geomReroute (the geometric selector,\n"
       "\"1_Face_10_0_5_0_0_1_\"). A stream written with geomReroute or gnSelector alone holds "
       "that\n"
       "key before \"support\"; find reads it all the same. With --dim N only the cells of that\n"
       "dimension; with --axes the axes of the faces of revolution (cylinder, cone, sphere,\n"
       "torus), which only geomReroute tells from their faces (\"1_Axis_...\"). A cell whose\n"
       "stream cannot be written is told on stderr and makes the exit status 1.\n",
       KroOdtRunAccess},
      {"delegates", "[MODEL]", 0, 1, "--dim --contract",
       "write the delegate stream of every cell or feature",
       "Prints one line per cell, body by body as cells lists them: the compact stream of the\n"
       "cell's delegate, made by its BRep access. The stream names the feature that makes the\n"
       "body by its journaling name, or by its spec name when it has none, and ends with the\n"
       "identifier of the delegate's contract (-1 for none):\n"
       "  3_5_Pad.1_Face_30_25_8_0_0_1_-1_\n"
       "With --dim N only the cells of that dimension; with --dim feat one delegate of each\n"
       "whole feature instead (\"3_5_Pad.1_Feat_-1_\"). With --contract ID the delegates are\n"
       "made under that contract: -1 none (the default), 1 Geometry, 2 Topology, 12\n"
       "InitialFeature. A cell or feature whose stream cannot be written is told on stderr\n"
       "and makes the exit status 1.\n",
       KroOdtRunDelegates},
      {"find", "[MODEL] [STREAM...]", 0, kKroOdtManyOperands, "--body-tag --rewrite",
       "find objects again from their streams",
       "Reads each stream in the model: the operands after MODEL, or one stream per line of\n"
       "standard input when there are none (blank lines are skipped). A first operand that\n"
       "names an existing file or ends in .step, .stp or .brep is the model. A compact\n"
       "topology stream names a cell (or a body); a text that begins with \"{\" is a BRepAccess\n"
       "stream when it has a \"support\" member (its support is read first, wherever it\n"
       "stands) and names a cell or an axis, else a GNAOSpec stream that names a feature or a\n"
       "log element; one with a \"geomSubElem\" member (or another key of a delegate:\n"
       "\"delegateId\", \"geomElem\", \"contract\") is a Delegate builder's stream, whose\n"
       "BRepAccess stream names a cell or an axis. A meta stream ({\"type\":...,\"format\":...,\n"
       "\"value\":...}) names what its value names, read as its type says. A selection\n"
       "({\"support\":...} with \"topoTags\" or \"geomReroutes\") names cells of the support's\n"
       "body. A version 3 compact stream whose body identifier is no identifier (\"#n\",\n"
       "\"~n~m\") is a delegate stream: its feature is found by that name, or, with --body-tag\n"
       "T, the body is the one of tag T whatever the name. One line per stream:\n"
       "  found cell DIMENSION TAG X Y Z   (a point of the cell)\n"
       "  found axis TAG X Y Z             (the face of revolution and a point of it)\n"
       "  found body TAG NAME\n"
       "  found feature IDENTIFIER NAME\n"
       "  found log IDENTIFIER PATH\n"
       "  found selection N cells          (after one found cell line per cell, in order)\n"
       "  found delegate cell DIMENSION TAG X Y Z\n"
       "  found delegate feature IDENTIFIER NAME\n"
       "  lost REASON\n"
       "With --rewrite, a meta stream prints instead its value written again with its format.\n"
       "Exit status 0 when every stream was found (also when there is none), 1 otherwise.\n",
       KroOdtRunFind},
      {"roundtrip", "[MODEL]", 0, 1, "--dim --via --json",
       "write every cell's stream and read it back",
       "Each cell comes back as itself (same), as another cell that lies within <tolerance> of "
       "the\n"
       "point written in the stream and whose direction agrees too, so that the stream cannot\n"
       "tell them apart (ambiguous; a degenerate edge has no direction of its own, so any\n"
       "cell through its point is), as a cell that does not (wrong), or not at all (lost; a\n"
       "cell whose stream cannot be written is lost too). Prints the lost and wrong cells with\n"
       "their reasons, a few ambiguous ones, a table by dimension and the line\n"
       "  roundtrip: N cells: S same, A ambiguous, L lost, W wrong\n"
       "With --json, one JSON object with the keys \"cells\", \"same\", \"ambiguous\", \"lost\",\n"
       "\"wrong\", \"seconds\" and \"by_dimension\" instead. With --dim N, only that dimension.\n"
       "With --via W the cells are named by W: topo, the compact topology stream (the\n"
       "default), or the BRepAccess stream written with the query topoTag, brpEle, gnSelector or\n"
       "geomReroute and read back as find reads it, or delegate, the compact stream of the\n"
       "cell's delegate; only topo, geomReroute and delegate locate by geometry, so only they\n"
       "can give ambiguous cells.\n"
       "Exit status 0 when no cell is lost or wrong.\n",
       KroOdtRunRoundtrip},
      {"diff", "OLD NEW", 2, 2, "--dim --json",
       "what became of every cell of OLD in NEW",
       "Writes the topology stream of every cell of OLD, reads it in NEW and sorts the cells\n"
       "of OLD into\n"
       "  kept       the stream finds a cell whose direction agrees, and no other cell of NEW\n"
       "             lies within 0.02 of the point in the same way: the reference is safe;\n"
       "  ambiguous  it finds one, but another cell of NEW could be meant (as roundtrip\n"
       "             judges it);\n"
       "  lost       with the reason: no cell within 0.02 of the point, direction disagrees\n"
       "             (the cell found there faces another way), body gone (NEW has no body\n"
       "             with the stream's identifier);\n"
       "and counts the cells of NEW that no stream of OLD found or could have meant (new).\n"
       "Prints a line per dimension and a total, then one line per lost or ambiguous cell:\n"
       "its stream, the reason, and the nearest cell of NEW with its distance. With --json,\n"
       "one JSON object instead: the counts \"cells\", \"kept\", \"ambiguous\", \"lost\" and\n"
       "\"new\", the same by dimension under \"by_dimension\", and the lists \"lost_cells\",\n"
       "\"ambiguous_cells\" and \"new_cells\". With --dim N, only that dimension.\n"
       "OLD and NEW are STEP or BREP files, or the built-in versions of a plate: plate-v1\n"
       "(two holes) and plate-v2 (the same and a third hole).\n"
       "Exit status 0 when no cell is lost, 1 when one is, 2 on a bad command line or a model\n"
       "that cannot be read.\n"
       "\n"
       "  $ kro-odt diff plate-v2 plate-v1\n"
       "  vertices: 14 cells, 12 kept, 0 ambiguous, 2 lost, 0 new\n"
       "  ...\n"
       "  total:    45 cells, 39 kept, 0 ambiguous, 6 lost, 0 new\n"
       "  lost vertex 10 of body 1 (tag 42) 3_2_#1_Vrtx_85_30_10_0.5_0.5_0.707107__: no cell "
       "within 0.02 of the point (85, 30, 10); nearest vertex 9 of body 1 (tag 37), 30 away\n"
       "  ...\n",
       KroOdtRunDiff},
      {"render", "[TEMPLATE]", 0, 1, "--root", "fill the entries of a string template",
       "Reads the template from the file TEMPLATE, or from standard input, replaces each entry\n"
       "\"{{ source | filter }}\" and prints the result as it comes out. A source is literal\n"
       "text, or file:/ and a path below DIR (the current folder without --root), whose\n"
       "entries are filled first; a file source never leaves DIR. The filters: JSToJSON\n"
       "(escapes \\, \" and line feeds for a JSON string), JSONToJS (as it is) and\n"
       "SemicolonToComa (\";\" becomes \",\"). A template that cannot be rendered prints\n"
       "nothing, says why on stderr and makes the exit status 1.\n"
       "\n"
       "  $ echo '{{ a;b | SemicolonToComa }}' | kro-odt render\n"
       "  a,b\n",
       KroOdtRunRender},
      {"dump", "[MODEL]", 0, 1, "--dim --label",
       "dump every cell's delegate stream through its BRep access's debugging extension",
       "Asks the BRep access of every cell, body by body as cells lists them, for its debugging\n"
       "extension and lets it dump the delegate stream of its cell under the label L (kro-odt\n"
       "by default). The extension writes one line per cell on the host's trace output: the\n"
       "label, \"_StreamTrefleBRepAccess\", two spaces and the stream. The verb prints those\n"
       "lines on standard output (the trace output is standard error elsewhere); anything else a\n"
       "dump writes there goes to standard error. Lines are written only when the environment\n"
       "variable MMD_ACTIVATE_DUMPSTREAMTREFLE holds a non-zero number, read once per process;\n"
       "otherwise the cells are dumped without output and one line on standard error says to\n"
       "set it. With --dim N only the cells of that dimension. A cell that cannot be dumped is\n"
       "told on standard error and makes the exit status 1.\n"
       "\n"
       "  $ MMD_ACTIVATE_DUMPSTREAMTREFLE=1 kro-odt dump --dim 2 --label Probe\n"
       "  Probe_StreamTrefleBRepAccess  3_5_Pad.1_Face_0_36.875_4_-1_-0_0_-1_\n"
       "  ...\n",
       KroOdtRunDump},
      {"demo", "", 0, 0, "", "show the verbs on the sample part and two texts", "", KroOdtRunDemo},
  };
  return verbs;
}

const std::vector<KroOdtOption>& KroOdtOptionTable() {
  static const std::vector<KroOdtOption> options = {
      {"--dim", "N", "one dimension: 0 vertex, 1 edge, 2 face, 3 volume; feat: the bodies"},
      {"--query", "Q", "the output-format query of the streams that features and access write"},
      {"--logs", "", "the elements of the modeling log instead of the features"},
      {"--axes", "", "the axes of the faces of revolution instead of the cells"},
      {"--via", "W",
       "the cells named by: topo, topoTag, brpEle, gnSelector, geomReroute, delegate"},
      {"--contract", "ID", "the contract of the delegates: -1 none, 1, 2, 12"},
      {"--body-tag", "T", "find: the body of delegate streams by its tag, not by feature name"},
      {"--json", "", "the result as one JSON object"},
      {"--root", "DIR", "the folder below which render reads the files of a template"},
      {"--rewrite", "", "find: the value of each meta stream written again with its format"},
      {"--label", "L", "dump: the label of the dumped lines"},
  };
  return options;
}
