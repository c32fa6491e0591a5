#include "platform/classes/Component.h"

#include "platform/classes/Reader.h"
#include "platform/rtl/Exception.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

std::string NameKey(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

bool IsValidIdent(std::string_view name) {
    if (name.empty())
        return false;
    auto alpha = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; };
    if (!alpha(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) {
        return alpha(c) || std::isdigit(static_cast<unsigned char>(c));
    });
}

TComponent* TMetaClass::CreateComponent(TComponent* owner) const {
    if (construct_ != TConstruct::Component)
        throw EComponentError("Cannot create a component of class " + name_);
    return static_cast<TComponent*>(factory_(owner));
}

void TComponent::DeclareProperties(TPropertyList& p) {
    p.Add("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    p.Add("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    NotifyFreeObservers();
    DestroyComponents();
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
    RemoveFixupReferences(this);
}

void TComponent::BeforeDestruction() {
    Destroying();
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (owner_ == nullptr)
        return -1;
    auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index) {
    if (owner_ == nullptr)
        return;
    auto& list = owner_->components_;
    int current = ComponentIndex();
    int last = static_cast<int>(list.size()) - 1;
    index = std::clamp(index, 0, last);
    if (index == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_ != nullptr)
        owner_->ValidateRename(this, name_, name);
    else
        ValidateRename(nullptr, name_, name);
    if (owner_ != nullptr) {
        auto it = owner_->names_.find(NameKey(name_));
        if (it != owner_->names_.end() && it->second == this)
            owner_->names_.erase(it);
        if (!name.empty())
            owner_->names_[NameKey(name)] = this;
    }
    name_ = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName,
                                const std::string& newName) {
    if (component != nullptr && !SameIdent(currentName, newName) && component->owner_ == this &&
        FindComponent(newName) != nullptr)
        throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetSubComponent(bool value) {
    if (value)
        style_.Include(csSubComponent);
    else
        style_.Exclude(csSubComponent);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty() || names_.empty())
        return nullptr;
    auto it = names_.find(NameKey(name));
    return it == names_.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ == this)
        return;
    // Two components of one owner never share a name: the joining one is refused.
    if (!component->name_.empty() && FindComponent(component->name_) != nullptr)
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component->owner_ != this)
        return;
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
    if (!component->name_.empty())
        names_[NameKey(component->name_)] = component;
}

void TComponent::Remove(TComponent* component) {
    // From the end: owners free their components last first.
    auto it = std::find(components_.rbegin(), components_.rend(), component);
    if (it != components_.rend())
        components_.erase(std::next(it).base());
    if (!component->name_.empty()) {
        auto named = names_.find(NameKey(component->name_));
        if (named != names_.end() && named->second == component)
            names_.erase(named);
    }
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // Components that others watch leave with a notice; the rest leave quietly.
        if (last->state_.Contains(csFreeNotification))
            RemoveComponent(last);
        else
            Remove(last);
        last->Free();
    }
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this)
        return;
    if (owner_ == nullptr || component->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) ==
            freeNotifies_.end()) {
            freeNotifies_.push_back(component);
            component->FreeNotification(this);
        }
    }
    state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr)
        return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void TComponent::NotifyFreeObservers() {
    while (!freeNotifies_.empty()) {
        TComponent* observer = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(observer->freeNotifies_, this);
        observer->Notification(this, opRemove);
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr)
        RemoveFreeNotification(component);
    // From the last to the first; a handler may free components, so re-check the bound.
    for (size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) {
            if (components_.empty())
                break;
            i = components_.size() - 1;
        }
        components_[i]->Notification(component, operation);
    }
}

void TComponent::Loaded() {
    SetState(csLoading, false);
}

void TComponent::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (root != this)
        return;
    for (TComponent* c : std::vector<TComponent*>(components_))
        if (!c->HasParent())
            proc(c);
}

void TComponent::SetState(TComponentStateItem item, bool value) {
    if (value)
        state_.Include(item);
    else
        state_.Exclude(item);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    SetState(csDesigning, value);
    if (setChildren)
        for (TComponent* c : components_)
            c->SetDesigning(value, true);
}

void TComponent::SetAncestor(bool value) {
    SetState(csAncestor, value);
    for (TComponent* c : components_)
        c->SetAncestor(value);
}
