#include "regex/compile/groups.h"

#include "regex/compile/messages.h"

namespace zel {

std::u16string TGroup::Strings() const {
    if (!FSuccess || FStartP == nullptr || FEndP == nullptr || FEndP < FStartP)
        return {};
    return std::u16string(FStartP, FEndP);
}

int TGroup::Index() const {
    if (!FSuccess || FStartP == nullptr || FCollection == nullptr ||
        FCollection->FTextTopP == nullptr)
        return 0;
    return static_cast<int>(FStartP - FCollection->FTextTopP) + 1;
}

int TGroup::Length() const {
    if (!FSuccess || FStartP == nullptr || FEndP == nullptr || FEndP < FStartP)
        return 0;
    return static_cast<int>(FEndP - FStartP);
}

std::u16string TGroup::SubExpression() const {
    if (FSubExp == nullptr)
        return {};
    const char16_t* p = FSubExp;
    int depth = 0;
    while (*p != 0 && !(*p == u')' && depth == 0)) {
        if (*p == u'(')
            ++depth;
        else if (*p == u')')
            --depth;
        ++p;
    }
    while (p > FSubExp && p[-1] <= 32)
        --p;
    return std::u16string(FSubExp, p);
}

TGroupCollection::TGroupCollection() {
    Clear();
}

TGroup& TGroupCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EZelRegExpRuntime(FormatRegExpMessage(TREMessageId::rmGroupIndexOutOfRange, index));
    return *FItems[static_cast<std::size_t>(index)];
}

int TGroupCollection::Add(std::u16string_view name) {
    int index = Count();
    FItems.push_back(std::make_unique<TGroup>(std::u16string(name)));
    FItems.back()->FCollection = this;
    if (!name.empty())
        AddGroupName(name, index);
    return index;
}

void TGroupCollection::AddGroupName(std::u16string_view name, int index) {
    FNames[std::u16string(name)].push_back(index);
}

const std::vector<int>* TGroupCollection::Lookup(std::u16string_view name) const {
    auto it = FNames.find(std::u16string(name));
    return it == FNames.end() ? nullptr : &it->second;
}

int TGroupCollection::IndexOfName(std::u16string_view name) const {
    const auto* list = Lookup(name);
    return list ? list->front() : -1;
}

int TGroupCollection::IndexOfMatchedName(std::u16string_view name) const {
    if (const auto* list = Lookup(name))
        for (int index : *list)
            if (FItems[static_cast<std::size_t>(index)]->FSuccess)
                return index;
    return -1;
}

std::vector<int> TGroupCollection::EnumIndexOfName(std::u16string_view name) const {
    const auto* list = Lookup(name);
    return list ? *list : std::vector<int>{};
}

TGroup& TGroupCollection::Names(std::u16string_view name) const {
    int index = IndexOfName(name);
    if (index < 0)
        throw EZelRegExpRuntime(FormatRegExpMessage(TREMessageId::rmGroupNameNotExists, name));
    const TGroup* group = FItems[static_cast<std::size_t>(index)].get();
    while (group->FSameGroup != 0 && !group->FSuccess) {
        index = group->FSameGroup;
        group = FItems[static_cast<std::size_t>(index)].get();
    }
    return *FItems[static_cast<std::size_t>(index)];
}

void TGroupCollection::Clear() {
    FItems.clear();
    FNames.clear();
    FItems.push_back(std::make_unique<TGroup>(std::u16string()));
    FItems.back()->FCollection = this;
}

void TGroupCollection::ResetMatch() {
    for (auto& group : FItems)
        group->Reset();
}

} // namespace zel
