// Delegate streams for the kro-odt verbs: the delegate of a cell (made by the cell's BRep access)
// or of a whole feature (made by the geometric delegate factory) under a contract; its compact
// stream; a delegate stream read back in a model, by feature name or by body tag; and the
// Delegate builder's streams, {"geomSubElem":{...}}, read as find reads them.
#ifndef KroOdtDelegates_H
#define KroOdtDelegates_H

#include <string>

#include "KroCell.h"
#include "KroIBRepAccess.h"
#include "KroIMmiContract.h"
#include "KroIMmiDelegateObject.h"
#include "KroISpecObject.h"
#include "KroMfPart.h"
#include "KroOdtModel.h"

// The contract that --contract names by its identifier ("-1" for none, "1", "2", "12"); false
// for a text that names none.
bool KroOdtParseContract(const std::string& text, KroIMmiContract_var& contract);

// The delegate of the cell, made by its BRep access under the contract; empty when no feature
// supports the cell.
KroIMmiDelegateObject_var KroOdtCellDelegate(const KroMfPart_var& part,
                                             const KroOdtCellEntry& entry,
                                             const KroIMmiContract_var& contract);
// The delegate of the whole feature, made by the geometric delegate factory; empty when there
// is none.
KroIMmiDelegateObject_var KroOdtFeatureDelegate(const KroISpecObject_var& feature,
                                                const KroIMmiContract_var& contract);

KroOdtOutcome KroOdtWriteDelegateStream(const KroIMmiDelegateObject_var& delegate,
                                        std::string& stream);

// Whether a text is a delegate stream: a version-3 link stream whose body identifier is not an
// identifier text ("#n", "~n~m"), so that it names a feature.
bool KroOdtIsDelegateStream(const std::string& text);
// Reads a delegate stream in the model without a contract of the caller's: the body by the
// feature name, or, when bodyTag is not null, by that body tag (the name is then not looked
// at). A read that makes no delegate is refused, with the reason.
KroOdtOutcome KroOdtReadDelegateStream(const KroMfPart_var& part, const std::string& stream,
                                       const unsigned int* bodyTag,
                                       KroIMmiDelegateObject_var& delegate);

// The first topological object of a delegate as a cell; empty for a whole-feature delegate.
KroCell_var KroOdtDelegateCell(const KroIMmiDelegateObject_var& delegate);
// The object a delegate stands for, as a feature: the feature of a whole-feature delegate, the
// supporting feature of a cell delegate.
KroISpecObject_var KroOdtDelegateFeature(const KroIMmiDelegateObject_var& delegate);

// Whether a text is a JSON object with a member that the Delegate builder declares
// ("geomSubElem", "geomElem", "delegateId", "contract" or one of its groups): a Delegate
// builder's stream, which the builder reads or refuses.
bool KroOdtIsDelegateBuilderStream(const std::string& text);
// Reads a Delegate builder's stream in the model and gives the BRep access of its
// "geomSubElem"; the stream is read with "support" moved first (KroOdtSupportFirst), wherever
// it stands, as KroOdtReadAccessStream reads.
KroOdtOutcome KroOdtReadDelegateBuilderStream(const KroMfPart_var& part, const std::string& stream,
                                              KroIBRepAccess_var& access);

#endif
