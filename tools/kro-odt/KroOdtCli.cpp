// The kro-odt dispatcher: options, verb lookup, operand counts, help and reporting.
#include "KroOdtCli.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "KroOdtTraceWords.h"

namespace {

const char* const kHelpHint = "see kro-odt --help";

int UsageError(const std::string& message) { return KroOdtUsageError(message); }

// The names in a verb's option list ("--dim --json").
std::vector<std::string> VerbOptions(const KroOdtVerb& verb) {
  std::vector<std::string> names;
  std::string name;
  for (const char* c = verb.options;; ++c) {
    if (*c == ' ' || *c == '\0') {
      if (!name.empty()) names.push_back(name);
      name.clear();
      if (*c == '\0') break;
    } else {
      name += *c;
    }
  }
  return names;
}

bool VerbTakes(const KroOdtVerb& verb, const std::string& option) {
  const std::vector<std::string> names = VerbOptions(verb);
  return std::find(names.begin(), names.end(), option) != names.end();
}

std::string UsageLine(const KroOdtVerb& verb) {
  std::string line = std::string("kro-odt ") + verb.name;
  for (const std::string& name : VerbOptions(verb)) {
    const KroOdtOption* option = KroOdtFindOption(name);
    line += " [" + name;
    if (option != nullptr && *option->value) line += std::string(" ") + option->value;
    line += "]";
  }
  if (*verb.operands) line += std::string(" ") + verb.operands;
  return line;
}

// Length of the well-formed UTF-8 sequence of two to four bytes at text[pos], or 0.
size_t Utf8Length(const std::string& text, size_t pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  size_t length = 0;
  unsigned int min = 0;
  unsigned int code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code = lead & 0x07u;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// The text with each well-formed UTF-8 sequence as it is and every other byte as escape writes
// it: escape(c, out).
template <class Escape>
std::string EscapeBytes(const std::string& text, Escape escape) {
  std::string out;
  for (size_t pos = 0; pos < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c >= 0x80) {
      if (const size_t length = Utf8Length(text, pos)) {
        out.append(text, pos, length);
        pos += length;
        continue;
      }
    }
    ++pos;
    escape(c, out);
  }
  return out;
}

std::string EscapeText(const std::string& text, bool escapeQuotes) {
  return EscapeBytes(text, [escapeQuotes](unsigned char c, std::string& out) {
    if (escapeQuotes && (c == '"' || c == '\\')) {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  });
}

}  // namespace

int KroOdtUsageError(const std::string& message) {
  std::fprintf(stderr, "kro-odt: %s (%s)\n", message.c_str(), kHelpHint);
  return kKroOdtExitUsage;
}

std::string KroOdtArgs::Option(const std::string& option, const std::string& fallback) const {
  const auto found = options.find(option);
  return found == options.end() ? fallback : found->second;
}

const KroOdtOption* KroOdtFindOption(const std::string& name) {
  for (const KroOdtOption& option : KroOdtOptionTable()) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

std::string KroOdtQuote(const std::string& text) { return "\"" + EscapeText(text, true) + "\""; }

std::string KroOdtEscape(const std::string& text) { return EscapeText(text, false); }

std::string KroOdtJsonString(const std::string& text) {
  const auto escape = [](unsigned char c, std::string& out) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", c);
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  };
  return "\"" + EscapeBytes(text, escape) + "\"";
}

const KroOdtVerb* KroOdtFindVerb(const std::string& name) {
  for (const KroOdtVerb& verb : KroOdtVerbTable()) {
    if (name == verb.name) return &verb;
  }
  return nullptr;
}

void KroOdtPrintHelp() {
  std::printf(
      "usage: kro-odt [--trace] [--quiet] VERB [OPERAND...]\n"
      "\n"
      "Reads and writes the text forms of the KroOdt library from the command line.\n"
      "\n"
      "verbs:\n");
  size_t width = 0;
  for (const KroOdtVerb& verb : KroOdtVerbTable()) width = std::max(width, UsageLine(verb).size());
  for (const KroOdtVerb& verb : KroOdtVerbTable()) {
    std::printf("  %-*s  %s\n", static_cast<int>(width), UsageLine(verb).c_str(), verb.summary);
  }
  std::printf(
      "\n"
      "MODEL is a STEP (.step, .stp) or BREP (.brep) file; without it, the built-in sample part.\n"
      "diff also takes plate-v1 and plate-v2: a built-in plate before and after a third hole.\n"
      "\n"
      "options:\n");
  // The tool's own options, then every verb option, in one column as wide as the widest.
  std::vector<std::pair<std::string, std::string>> options = {
      {"-h, --help", "this help; \"kro-odt help VERB\" tells more about one verb"},
      {"--version", "the version of the package"},
      {"--trace", "on failure, also print the library's trace chain"},
      {"--quiet", "no progress bar (it is shown only when standard error is a terminal)"},
      {"--", "what follows is operands, even when it begins with \"-\""}};
  for (const KroOdtOption& option : KroOdtOptionTable()) {
    options.emplace_back(option.name, option.help);
    if (*option.value) options.back().first += std::string(" ") + option.value;
  }
  width = 0;
  for (const auto& option : options) width = std::max(width, option.first.size());
  for (const auto& [name, help] : options) {
    std::printf("  %-*s  %s\n", static_cast<int>(width), name.c_str(), help.c_str());
  }
  std::printf(
      "\n"
      "exit status: 0 done, 1 the input was refused or not found (stderr says why), 2 bad\n"
      "command line or a model that cannot be read\n");
}

void KroOdtPrintVerbHelp(const KroOdtVerb& verb) {
  std::printf("usage: %s\n\n%s\n", UsageLine(verb).c_str(), verb.summary);
  // Figures of the library, such as <tolerance>, are filled in from the library itself.
  if (*verb.details) std::printf("\n%s", KroOdtFillPlaceholders(verb.details, {}).c_str());
}

int KroOdtPrintReport(const KroOdtArgs& args, const KroOdtReport& report) {
  if (report.ok) {
    for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
    return kKroOdtExitOk;
  }
  std::fprintf(stderr, "kro-odt: %s: %s\n", report.what.c_str(), report.why.c_str());
  if (args.trace) {
    const std::string raw = KroOdtRawTrace(report.chain);
    std::fprintf(stderr, "kro-odt: trace: %s\n", raw.empty() ? "(none)" : raw.c_str());
  }
  return kKroOdtExitFailed;
}

int KroOdtRunHelp(KroOdtArgs& args) {
  if (args.operands.empty()) {
    KroOdtPrintHelp();
    return kKroOdtExitOk;
  }
  const KroOdtVerb* verb = KroOdtFindVerb(args.operands[0]);
  if (verb == nullptr) return UsageError("unknown verb " + KroOdtQuote(args.operands[0]));
  KroOdtPrintVerbHelp(*verb);
  return kKroOdtExitOk;
}

int KroOdtMain(int argc, char** argv) {
  KroOdtArgs args;
  bool help = false;
  bool optionsEnded = false;
  bool haveVerb = false;
  std::vector<std::string> optionOrder;  // verb options in command-line order
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") {
        optionsEnded = true;
      } else if (arg == "--trace") {
        args.trace = true;
      } else if (arg == "--quiet") {
        args.quiet = true;
      } else if (arg == "-h" || arg == "--help") {
        help = true;
      } else if (arg == "--version") {
        std::printf("kro-odt %s\n", KROODT_VERSION);
        return kKroOdtExitOk;
      } else {
        // A verb option: "--dim 2" or "--dim=2"; a flag takes no value.
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const KroOdtOption* option = KroOdtFindOption(name);
        if (option == nullptr) return UsageError("unknown option " + KroOdtQuote(arg));
        std::string value;
        if (!*option->value) {
          if (equals != std::string::npos) {
            return UsageError("option " + KroOdtQuote(name) + " takes no value");
          }
        } else if (equals != std::string::npos) {
          value = arg.substr(equals + 1);
        } else if (i + 1 < argc) {
          value = argv[++i];
        } else {
          return UsageError("option " + KroOdtQuote(name) + " needs a value (" + option->value +
                            ")");
        }
        args.options[name] = value;
        optionOrder.push_back(name);
      }
      continue;
    }
    if (!haveVerb) {
      args.verb = arg;
      haveVerb = true;
    } else {
      args.operands.push_back(arg);
    }
  }

  if (!haveVerb) {
    if (help) {
      KroOdtPrintHelp();
      return kKroOdtExitOk;
    }
    return UsageError("no verb given; usage: kro-odt [--trace] [--quiet] VERB [OPERAND...]");
  }
  const KroOdtVerb* verb = KroOdtFindVerb(args.verb);
  if (verb == nullptr) return UsageError("unknown verb " + KroOdtQuote(args.verb));
  if (help) {
    KroOdtPrintVerbHelp(*verb);
    return kKroOdtExitOk;
  }
  for (const std::string& name : optionOrder) {
    if (!VerbTakes(*verb, name)) {
      return UsageError("option " + KroOdtQuote(name) + " does not apply to " + verb->name +
                        "; usage: " + UsageLine(*verb));
    }
  }
  const int count = static_cast<int>(args.operands.size());
  if (count < verb->minOperands || count > verb->maxOperands) {
    const char* problem = count < verb->minOperands ? "missing operand" : "too many operands";
    return UsageError(std::string(problem) + "; usage: " + UsageLine(*verb));
  }
  return verb->run(args);
}
