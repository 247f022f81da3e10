// A host program on the installed KroOdt package: it loads a STEP file into a document, writes
// the topology stream of one face and the GNAOSpec stream of the feature that made it, reads
// both streams back and checks that they name the same objects again.
//
//   name_a_face MODEL.step
#include <KroOdt.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: name_a_face MODEL.step\n");
    return 2;
  }
  KroMfPart_var part;
  KroUnicodeString message;
  if (KroFailed(KroMfPart::Load(argv[1], part, &message))) {
    std::fprintf(stderr, "cannot read %s: %s\n", argv[1], message.CastToCharPtr());
    return 2;
  }

  // The first feature, its body and the first face of that body.
  KroIGnAssociatedObject_var feature(part->GetFeature(1));
  KroBody_var body = KroIGeometricalElement_var(feature)->GetBodyResult();
  KroListPtrKroCell faces;
  if (!body || KroFailed(body->GetAllCells(faces, 2)) || faces.Size() == 0) return 1;
  KroTopology_var face(faces[1]);

  // Writing: a one-line stream for the face, a JSON stream for the feature.
  KroMmdStreamTopoForODT topo;
  KroUnicodeString faceStream;
  if (KroFailed(topo.GetStreamFromTopo(body, face, faceStream))) return 1;
  KroMmdGNAOSpecODTStreamBuilder writer;
  KroUnicodeString featureStream;
  if (KroFailed(writer.SetContext(part)) || KroFailed(writer.SetGNAO(feature)) ||
      KroFailed(writer.GetODTStream("specId", featureStream))) {
    return 1;
  }
  std::printf("face:    %s\nfeature: %s\n", faceStream.CastToCharPtr(),
              featureStream.CastToCharPtr());

  // Reading, within the same document (a fresh load of the same file would do as well).
  KroBody_var bodyBack;
  KroTopology_var faceBack;
  KroINamingContext_var context(part);
  if (KroFailed(topo.GetTopoFromStream(faceStream, context, bodyBack, faceBack))) return 1;
  KroMmdGNAOSpecODTStreamBuilder reader;
  KroIGnAssociatedObject_var featureBack;
  if (KroFailed(reader.SetContext(part)) || KroFailed(reader.SetODTStream(featureStream)) ||
      KroFailed(reader.GetGNAO(featureBack))) {
    return 1;
  }
  KroBody_var bodyOfFeature;
  if (KroFailed(reader.GetBody(bodyOfFeature))) return 1;

  const bool same =
      faceBack.IsSame(face) && featureBack.IsSame(feature) && bodyBack.IsSame(bodyOfFeature);
  std::printf("name_a_face: %s\n",
              same ? "the streams name the same face and feature" : "MISMATCH");
  return same ? 0 : 1;
}
