// The verbs of kro-odt. To add one: write its function (int (KroOdtArgs&)), declare it in
// KroOdtCli.h and add its row here; the dispatcher checks its operand count and help lists it.
#include "KroOdtCli.h"

const std::vector<KroOdtVerb>& KroOdtVerbTable() {
  static const std::vector<KroOdtVerb> verbs = {
      {"help", "[VERB]", 0, 1, "this help, or more about one verb", "", KroOdtRunHelp},
      {"query", "TEXT", 1, 1, "split an output-format query into its keys and sub-queries",
       "Prints one line per outer key: the key, then, when the key carries one, a space and its\n"
       "sub-query in braces, exactly as it will be handed to the nested builder. An empty\n"
       "query prints nothing. Tabs, line ends and other control characters in keys are shown\n"
       "as \\t, \\n, \\r and \\xNN.\n"
       "\n"
       "  $ kro-odt query 'a{b c} d'\n"
       "  a {b c}\n"
       "  d\n",
       KroOdtRunQuery},
      {"gnid", "TEXT", 1, 1, "read an identifier (\"#42\", \"~FF~10\") and write it back",
       "Prints the kind of the identifier, its numbers and the text the library writes for it.\n"
       "\"#\" and a decimal number give kind 1; \"~\", a hexadecimal number, \"~\" and another\n"
       "give kind 3. Numbers are unsigned 32-bit.\n"
       "\n"
       "  $ kro-odt gnid '~ff~a'\n"
       "  kind:    3\n"
       "  numbers: 255 10 (hexadecimal FF A)\n"
       "  text:    ~FF~A\n",
       KroOdtRunGnId},
      {"octets", "TEXT", 1, 1, "read an octet text (\"['AB',0,'C']\") and write it back",
       "Prints the octets in decimal, their count and the text the library writes for them.\n"
       "Items are quoted runs of characters ('AB', with \\' and \\\\ inside) or decimal numbers,\n"
       "of which the low eight bits are kept.\n"
       "\n"
       "  $ kro-odt octets \"[1,'ab']\"\n"
       "  octets:  1 97 98\n"
       "  count:   3\n"
       "  text:    [1,'ab']\n",
       KroOdtRunOctets},
      {"demo", "", 0, 0, "show the verbs above on a few fixed examples", "", KroOdtRunDemo},
  };
  return verbs;
}
