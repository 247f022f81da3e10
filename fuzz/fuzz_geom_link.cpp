// Fuzz target of the geometric link stream: any bytes are read by a link stream whose hooks keep
// what the reader hands them, with the cells searched in a box. A failed read must be traced by
// the reader. A successful read must hand over a cell of the type read, and the values received,
// written again, must read back to the same identifier, type, cell and specialised part.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroCell.h"
#include "KroFuzzHarness.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

const char* const kReader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT";

// Reading hooks keep what they receive; writing hooks give it back. Every body identifier
// names the box.
class RecordingLink : public KroMmdStreamGeomRefForODT {
 public:
  using KroMmdStreamGeomRefForODT::ParseGeomLinkForODT;
  using KroMmdStreamGeomRefForODT::StreamGeomLinkForODT;

  KroUnicodeString identifier;
  MyGeoType type = NoGeoType;
  KroTopology_var cell;
  KroUnicodeString specialized;
  bool specializedReceived = false;

 private:
  KroResult GetBodyIdentifier(KroUnicodeString& out) override {
    out = identifier;
    return KRO_S_OK;
  }
  KroResult ParseBodyIdentifier(const KroUnicodeString& in, KroBody_var& body) override {
    identifier = in;
    body = KroFuzzBoxPart()->GetBody(1);
    return KRO_S_OK;
  }
  KroResult GetMyGeoType(MyGeoType& out) override {
    out = type;
    return KRO_S_OK;
  }
  KroResult SetMyGeoType(MyGeoType in) override {
    type = in;
    return KRO_S_OK;
  }
  KroResult GetSubElem(KroTopology_var& out) override {
    out = cell;
    return KRO_S_OK;
  }
  KroResult SetSubElem(const KroTopology_var& in) override {
    cell = in;
    return KRO_S_OK;
  }
  KroResult GetSpecializedStream(KroUnicodeString& out) override {
    out = specialized;
    return KRO_S_OK;
  }
  KroResult SetSpecializedStream(const KroUnicodeString& in) override {
    specialized = in;
    specializedReceived = true;
    return KRO_S_OK;
  }
};

using Link = KroMmdStreamGeomRefForODT;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  RecordingLink read;
  {
    KroSysTraceRecorder recorder;
    if (read.ParseGeomLinkForODT(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, kReader), input);
      return 0;
    }
  }
  KRO_FUZZ_CHECK(read.type >= Link::Vrtx && read.type < Link::_nbTypes && read.type != Link::Axis,
                 input);
  // A cell of the type read: "Wire" and "Vlme" both name a volume.
  const KroCell_var cell = read.cell;
  if (read.type == Link::Feat) {
    KRO_FUZZ_CHECK(!read.cell, input);
  } else {
    KRO_FUZZ_CHECK(!!cell, input);
    const int dimension = cell->GetDimension();
    KRO_FUZZ_CHECK(dimension == (read.type == Link::Vlme ? 3 : static_cast<int>(read.type)), input);
  }

  // Written again as the topology stream writes cells: the dimension is the type.
  RecordingLink write;
  write.identifier = read.identifier;
  write.type = read.cell ? static_cast<Link::MyGeoType>(cell->GetDimension()) : Link::Feat;
  write.cell = read.cell;
  write.specialized = read.specialized;
  KroUnicodeString text;
  {
    KroSysTraceRecorder recorder;
    const KroResult rc = write.StreamGeomLinkForODT(text);
    // A stream with an empty identifier reads (its length is 0), but none is written.
    if (read.identifier.IsEmpty()) {
      KRO_FUZZ_CHECK(
          rc != KRO_S_OK &&
              KroFuzzTracedLast(recorder, "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT", 300),
          input);
      return 0;
    }
    KRO_FUZZ_CHECK(rc == KRO_S_OK, input);
  }
  RecordingLink again;
  KRO_FUZZ_CHECK(again.ParseGeomLinkForODT(text) == KRO_S_OK, text.ToStdString());
  KRO_FUZZ_CHECK(again.identifier == read.identifier, text.ToStdString());
  KRO_FUZZ_CHECK(again.type == write.type, text.ToStdString());
  KRO_FUZZ_CHECK(again.cell.IsSame(read.cell), text.ToStdString());
  KRO_FUZZ_CHECK(again.specializedReceived && again.specialized == read.specialized,
                 text.ToStdString());
  return 0;
}
