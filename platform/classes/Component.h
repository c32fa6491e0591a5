#pragma once
// Components: named objects owned by another component (a form owns its controls). An owner
// keeps its components in the order they joined and frees them when it is freed, last first;
// freeing a component removes it from its owner. Components that hold references to others ask
// for free notification and hear, through Notification, when those go away.

#include "platform/classes/Persistent.h"
#include "platform/classes/TypeInfo.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class TReader;
class TWriter;

Q4_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
        csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
using TComponentState = TSet<TComponentStateItem>;

Q4_ENUM(TComponentStyleItem, csInheritable, csCheckPropAvail, csSubComponent, csTransient);
using TComponentStyle = TSet<TComponentStyleItem>;

Q4_ENUM(TOperation, opInsert, opRemove);

using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
    Q4_CLASS(TComponent, TPersistent)

    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    static void DeclareProperties(TPropertyList& p);

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Raises EListError "List index out of bounds (n)" for an index out of range.
    TComponent* Components(int index) const;
    // Position in the owner's list; -1 without an owner. Setting it moves the component.
    int ComponentIndex() const;
    void SetComponentIndex(int index);

    const std::string& Name() const { return name_; }
    // Validates the name ("'x y' is not a valid component name"; "A component named X already
    // exists" among the owner's components, ignoring case) and renames.
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    TComponentStyle ComponentStyle() const { return style_; }
    // A sub-component is stored with the properties of its owner, not as a reference.
    void SetSubComponent(bool value);

    // The owned component of that name, ignoring case; null when none (or the name is empty).
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the last one first.
    void DestroyComponents();
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    // Asks to be told (Notification with opRemove) when the other component is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Told about components joining (opInsert) or leaving (opRemove) the owner, and about freed
    // components this one asked to hear about. The default passes the notice on to every owned
    // component.
    virtual void Notification(TComponent* component, TOperation operation);

    // Reading and writing its own description; the defaults read and write the properties and
    // then the children.
    virtual void ReadState(TReader* reader);
    virtual void WriteState(TWriter* writer);

    // Called once a description has been read completely, after every reference is resolved.
    virtual void Loaded();
    // The components a description stores as children of this one. For the root of a
    // description the default lists its own components that have no parent; otherwise none.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // A nested description object joins its enclosing object (a series joins its chart).
    virtual void SetParentComponent(TComponent*) {}
    virtual void SetChildOrder(TComponent*, int) {}

    TPersistent* GetOwner() override { return owner_; }
    std::string GetNamePath() override { return name_; }
    // Marks the component as being destroyed before the destructors run.
    void BeforeDestruction() override;

    // State flags, set by the description reader and by Destroying.
    void SetLoading(bool value) { SetState(csLoading, value); }
    void SetReading(bool value) { SetState(csReading, value); }
    void SetWriting(bool value) { SetState(csWriting, value); }
    void SetDesigning(bool value, bool setChildren = true);
    void SetInline(bool value) { SetState(csInline, value); }
    void SetAncestor(bool value);

protected:
    virtual void ValidateRename(TComponent* component, const std::string& currentName,
                                const std::string& newName);
    virtual void Updating() { SetState(csUpdating, true); }
    virtual void Updated() { SetState(csUpdating, false); }

private:
    void SetState(TComponentStateItem item, bool value);
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyFreeObservers();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    // Owned components by lower-case name, so that look-ups stay fast on large forms.
    std::unordered_map<std::string, TComponent*> names_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    int tag_ = 0;
    TComponentState state_;
    TComponentStyle style_{csInheritable};
};

// An identifier: a letter or "_", then letters, digits and "_".
bool IsValidIdent(std::string_view name);
