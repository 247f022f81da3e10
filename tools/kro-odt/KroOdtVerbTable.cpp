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
       "per feature (identifier, name, alias when it has one, body), one line per body (name,\n"
       "tag, its cells by dimension) and the cell counts of the whole model. With --json, one\n"
       "JSON object with the keys \"model\", \"reading_warnings\", \"features\", \"bodies\" and\n"
       "\"cells\" instead.\n",
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
      {"find", "[MODEL] [STREAM...]", 0, kKroOdtManyOperands, "",
       "find objects again from their streams",
       "Reads each stream in the model: the operands after MODEL, or one stream per line of\n"
       "standard input when there are none (blank lines are skipped). A first operand that\n"
       "names an existing file or ends in .step, .stp or .brep is the model. A compact\n"
       "topology stream names a cell (or a body); a text that begins with \"{\" is a GNAOSpec\n"
       "stream and names a feature or a log element. One line per stream:\n"
       "  found cell DIMENSION TAG X Y Z   (a point of the cell)\n"
       "  found body TAG NAME\n"
       "  found feature IDENTIFIER NAME\n"
       "  found log IDENTIFIER PATH\n"
       "  lost REASON\n"
       "Exit status 0 when every stream was found (also when there is none), 1 otherwise.\n",
       KroOdtRunFind},
      {"roundtrip", "[MODEL]", 0, 1, "--dim --json", "write every cell's stream and read it back",
       "Each cell comes back as itself (same), as another cell that lies within 0.02 of the\n"
       "point written in the stream and whose direction agrees too, so that the stream cannot\n"
       "tell them apart (ambiguous; a degenerate edge has no direction of its own, so any\n"
       "cell through its point is), as a cell that does not (wrong), or not at all (lost; a\n"
       "cell whose stream cannot be written is lost too). Prints the lost and wrong cells with\n"
       "their reasons, a few ambiguous ones, a table by dimension and the line\n"
       "  roundtrip: N cells: S same, A ambiguous, L lost, W wrong\n"
       "With --json, one JSON object with the keys \"cells\", \"same\", \"ambiguous\", \"lost\",\n"
       "\"wrong\", \"seconds\" and \"by_dimension\" instead. With --dim N, only that dimension.\n"
       "Exit status 0 when no cell is lost or wrong.\n",
       KroOdtRunRoundtrip},
      {"demo", "", 0, 0, "", "show the verbs on the sample part and two texts", "", KroOdtRunDemo},
  };
  return verbs;
}

const std::vector<KroOdtOption>& KroOdtOptionTable() {
  static const std::vector<KroOdtOption> options = {
      {"--dim", "N", "one dimension: 0 vertex, 1 edge, 2 face, 3 volume; feat: the bodies"},
      {"--query", "Q", "the output-format query of the streams that features writes"},
      {"--logs", "", "the elements of the modeling log instead of the features"},
      {"--json", "", "the result as one JSON object"},
  };
  return options;
}
