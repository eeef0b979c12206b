#include "listbox/search_options.h"

namespace zel {

void TInputOptions::AssignInput(const TInputOptions& Source) {
    FVisible = Source.FVisible;
    FShowClose = Source.FShowClose;
    FHintClose = Source.FHintClose;
    FEditColor = Source.FEditColor;
    FPosition = Source.FPosition;
    FTextHint = Source.FTextHint;
    FFlat = Source.FFlat;
}

void TSearchOptions::Assign(const TObject* Source) {
    const auto* source = dynamic_cast<const TSearchOptions*>(Source);
    if (source == nullptr || source == this)
        return;
    AssignInput(*source);
    FStyle = source->FStyle;
    FAutoFind = source->FAutoFind;
    FShowFind = source->FShowFind;
    FHintFind = source->FHintFind;
    FFilterMethod = source->FFilterMethod;
    FCaseSensitive = source->FCaseSensitive;
}

void TInsertOptions::Assign(const TObject* Source) {
    const auto* source = dynamic_cast<const TInsertOptions*>(Source);
    if (source == nullptr || source == this)
        return;
    AssignInput(*source);
    FInsertAndClear = source->FInsertAndClear;
    FAutoInsert = source->FAutoInsert;
    FHintInsert = source->FHintInsert;
}

} // namespace zel
