// JSON parsing on nlohmann-json's SAX interface: the tree is built with an explicit stack, so
// deep text is refused by count, never by recursion.
#include "KroOmxJson.h"

#include <nlohmann/json.hpp>

class KroOmxJsonSax : public nlohmann::json_sax<nlohmann::json> {
 public:
  bool null() override { return Add(KroOmxAny::Null()); }
  bool boolean(bool val) override { return Add(KroOmxAny::Boolean(val)); }
  bool number_integer(number_integer_t val) override {
    return Add(KroOmxAny(static_cast<int64_t>(val)));
  }
  bool number_unsigned(number_unsigned_t val) override {
    if (val <= static_cast<number_unsigned_t>(INT64_MAX)) {
      return Add(KroOmxAny(static_cast<int64_t>(val)));
    }
    return Add(KroOmxAny::Real(static_cast<double>(val)));
  }
  bool number_float(number_float_t val, const string_t&) override {
    return Add(KroOmxAny::Real(val));
  }
  bool string(string_t& val) override { return Add(KroOmxAny(KroUnicodeString(std::move(val)))); }
  bool binary(binary_t&) override { return false; }

  bool start_object(std::size_t) override {
    if (static_cast<int>(_Stack.size()) >= KroOmxJson::kMaxDepth) return false;
    _Stack.emplace_back();
    _Stack.back().value.CreateMap();
    return true;
  }
  bool key(string_t& val) override {
    _Stack.back().key = KroUnicodeString(std::move(val));
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override {
    if (static_cast<int>(_Stack.size()) >= KroOmxJson::kMaxDepth) return false;
    _Stack.emplace_back();
    _Stack.back().value.CreateList();
    return true;
  }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

  bool HasResult() const { return _HasResult; }
  KroOmxAny& Result() { return _Result; }

 private:
  struct Open {
    KroOmxAny value;
    KroOmxKeyString key;
  };

  bool Close() {
    KroOmxAny done = std::move(_Stack.back().value);
    _Stack.pop_back();
    return Add(std::move(done));
  }

  bool Add(KroOmxAny&& value) {
    if (_Stack.empty()) {
      _Result = std::move(value);
      _HasResult = true;
      return true;
    }
    Open& top = _Stack.back();
    if (top.value.IsList()) {
      KroOmxJson::AppendItem(top.value, std::move(value));
    } else {
      // Every member as written, a repeated name too: readers take the members in text order.
      KroOmxJson::AppendMember(top.value, top.key, std::move(value));
    }
    return true;
  }

  std::vector<Open> _Stack;
  KroOmxAny _Result;
  bool _HasResult = false;
};

void KroOmxJson::AppendMember(KroOmxAny& map, const KroOmxKeyString& key, KroOmxAny&& value) {
  map._Items->emplace_back(key, std::move(value));
}

void KroOmxJson::AppendItem(KroOmxAny& list, KroOmxAny&& value) {
  list._Items->emplace_back(KroOmxKeyString(), std::move(value));
}

int KroOmxJson::ParseString(const KroOmxUTF8String& text, KroOmxAny& out) {
  KroOmxJsonSax sax;
  bool ok = false;
  try {
    ok = nlohmann::json::sax_parse(text.Text(), &sax, nlohmann::json::input_format_t::json,
                                   /*strict=*/true, /*ignore_comments=*/false);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok || !sax.HasResult()) return -1;
  out = std::move(sax.Result());
  return 0;
}
