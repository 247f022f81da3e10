// Shared by the host tests: the STEP models of the test data with their counts, and small helpers
// over the part documents.
#ifndef KroHostTestDocuments_H
#define KroHostTestDocuments_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroBody.h"
#include "KroCell.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroUnicodeString.h"

struct KroHostTestModel {
  const char* file;
  int solids, faces, edges, vertices;  // as the models' README gives them
};

inline const std::vector<KroHostTestModel>& KroHostTestModels() {
  static const std::vector<KroHostTestModel> models = {
      {"Crystal_AT310_D3.0mm_L10.0mm_Horizontal_1EP_style2.step", 1, 18, 30, 17},
      {"L_Axial_L24.0mm_D7.5mm_P5.08mm_Vertical_Fastron_MESC.step", 1, 27, 51, 26},
      {"CP_Elec_6.3x5.9.step", 1, 41, 103, 65},
      {"Transformer_Breve_TEZ-22x24.step", 8, 63, 117, 61},
      {"SMA_Amphenol_132291-12_Vertical.step", 1, 137, 287, 159},
      {"DSUB-15-HD_Female_Horizontal_P2.29x1.98mm_EdgePinOffset9.40mm.step", 1, 234, 481, 282},
      {"TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step", 1, 1549, 4203, 2658},
      {"Converter_DCDC_muRata_OKI-78SR_Vertical.step", 6, 383, 1048, 674},
      {"LED_D5.0mm-4_RGB_Staggered_Pins.step", 1, 58, 126, 73},
  };
  return models;
}

inline std::string KroHostTestModelPath(const std::string& file) {
  return std::string(KROODT_MODELS_DIR) + "/" + file;
}

inline KroMfPart_var KroHostTestSamplePart() {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  return part;
}

// The document of a model built in code, such as KroBRepModel::MakeBox(10, 10, 10).
inline KroMfPart_var KroHostTestDocumentOf(const std::shared_ptr<KroBRepModel>& model) {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateFromModel(model, part), KRO_S_OK);
  return part;
}

// The index-th cell (from 1) of that dimension of a body or a cell, or an empty reference.
template <class Owner>
KroCell_var KroHostTestCell(const Owner& owner, short dimension, int index = 1) {
  KroListPtrKroCell cells;
  EXPECT_EQ(owner->GetAllCells(cells, dimension), KRO_S_OK);
  return index <= cells.Size() ? KroCell_var(cells[index]) : KroCell_var();
}

// True when built with AddressSanitizer: the big models are then only sampled.
inline bool KroHostTestUnderSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return false;
}

#endif
