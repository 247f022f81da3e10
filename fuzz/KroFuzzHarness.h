// Shared by the fuzz targets: the input as host text, the documents a target reads streams in
// (made once, kept for the whole run), and the checks that stop the run when a property does not
// hold. A failed check prints what was expected and the input, then aborts, so that libFuzzer
// keeps the input as a crash and the replay of a corpus fails.
#ifndef KroFuzzHarness_H
#define KroFuzzHarness_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "KroBRepModel.h"
#include "KroINamingContext.h"
#include "KroMfPart.h"
#include "KroSysTraceRecorder.h"
#include "KroUnicodeString.h"

// The input bytes as they are, zero bytes included.
inline std::string KroFuzzBytes(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A text for a message: printable ASCII as it is, every other byte as \xHH; long texts cut.
inline std::string KroFuzzPrintable(const std::string& text) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < text.size() && i < 400; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  if (text.size() > 400) out += "...";
  return out;
}

// Stops the run: what did not hold, and about what text.
[[noreturn]] inline void KroFuzzFail(const char* what, const std::string& about) {
  std::fprintf(stderr, "fuzz check failed: %s\n  about: \"%s\"\n", what,
               KroFuzzPrintable(about).c_str());
  std::fflush(stderr);
  std::abort();
}

// Checks a property; about is the text the property is about (the input, or a text made from it).
#define KRO_FUZZ_CHECK(condition, about)              \
  do {                                                \
    if (!(condition)) KroFuzzFail(#condition, about); \
  } while (0)

// A failure must leave a trace, and the last one (outermost) must be the failing operation's:
// name, and stage unless stage is 0.
inline bool KroFuzzTracedLast(const KroSysTraceRecorder& recorder, const char* name,
                              int stage = 0) {
  const auto& entries = recorder.Entries();
  return !entries.empty() && entries.back().name == name &&
         (stage == 0 || entries.back().stage == stage);
}

// A document made once by make (a callable that fills a KroMfPart_var and gives its result) and
// kept for the whole run; the run stops, saying what, when it cannot be made.
template <class Make>
const KroMfPart_var& KroFuzzKeptPart(const char* what, Make make) {
  static const KroMfPart_var* part = [&] {
    auto* made = new KroMfPart_var();
    if (make(*made) != KRO_S_OK) KroFuzzFail(what, "");
    return made;
  }();
  return *part;
}

// The built-in sample part (8 features, several with aliases and journaling names, and their
// modeling log), made on first use and kept for the whole run.
inline const KroMfPart_var& KroFuzzSamplePart() {
  return KroFuzzKeptPart("sample part made",
                         [](KroMfPart_var& part) { return KroMfPart::CreateSamplePart(part); });
}

// A box from (0, 0, 0) to (20, 10, 10) as feature "#1" of its own document, made on first use
// and kept for the whole run: its cells are found quickly, so a target that only needs some
// body runs fast.
inline const KroMfPart_var& KroFuzzBoxPart() {
  return KroFuzzKeptPart("box document made", [](KroMfPart_var& part) {
    return KroMfPart::CreateFromModel(KroBRepModel::MakeBox(20, 10, 10), part);
  });
}

// The same box made by a feature that has a name, "Box", and a journaling name, "Pad.1", for the
// targets that name a feature; made on first use and kept for the whole run.
inline const KroMfPart_var& KroFuzzNamedBoxPart() {
  return KroFuzzKeptPart("named box document made", [](KroMfPart_var& part) {
    return KroMfPart::CreateFromModel(KroBRepModel::MakeBox(20, 10, 10),
                                      {{"Box", "", "Pad.1", "", 0}}, part);
  });
}

inline KroINamingContext_var KroFuzzContextOf(const KroMfPart_var& part) {
  return KroINamingContext_var(static_cast<KroBaseUnknown*>(part.get()));
}

// The round trips of a stream builder of one object (Object_var: what get(builder, object)
// gives). The input is read with the part as context; a failed read must have the stream
// reader's trace last. When the read gives an object, it is written with each query: a write
// may fail, with the stream writer's trace last, and every stream written must read back, in a
// fresh builder, to the same object, and that builder must write the same stream.
template <class Builder, class Object_var, size_t N, class Get>
void KroFuzzCheckRoundTrips(const std::string& input, const KroMfPart_var& part,
                            const char* const (&queries)[N], Get get) {
  Builder builder;
  builder.SetContext(part);
  {
    KroSysTraceRecorder recorder;
    if (builder.SetODTStream(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::SetODTStream"), input);
      return;
    }
  }
  Object_var object;
  get(builder, object);
  if (!object) return;

  for (const char* query : queries) {
    KroUnicodeString stream;
    {
      KroSysTraceRecorder recorder;
      if (builder.GetODTStream(query, stream) != KRO_S_OK) {
        KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::GetODTStream"), input);
        continue;
      }
    }
    Builder again;
    again.SetContext(part);
    KRO_FUZZ_CHECK(again.SetODTStream(stream) == KRO_S_OK, stream.ToStdString());
    Object_var objectAgain;
    get(again, objectAgain);
    KRO_FUZZ_CHECK(objectAgain.IsSame(object), stream.ToStdString());
    KroUnicodeString streamAgain;
    KRO_FUZZ_CHECK(again.GetODTStream(query, streamAgain) == KRO_S_OK, stream.ToStdString());
    KRO_FUZZ_CHECK(streamAgain == stream, stream.ToStdString());
  }
}

#endif
