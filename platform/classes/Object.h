#pragma once
// The root of the class tree and its class records.
//
// Every class of the component model names itself with Q4_CLASS(Name, Base) at the top of its
// body. That gives it a class record (TClass): its name, its parent class, a way to create an
// instance from the name alone (for form descriptions), and its published properties and handler
// methods, which the class declares in two optional static functions:
//
//     class TPanelish : public TComponent {
//         Q4_CLASS(TPanelish, TComponent)
//     public:
//         static void DeclareProperties(TPropertyList& p) {
//             p.Add("Caption", &TPanelish::GetCaption, &TPanelish::SetCaption);
//             p.Add("Visible", &TPanelish::visible_).Default(true);
//         }
//         static void DeclareMethods(TMethodTable& m) { m.Add("OkClick", &TPanelish::OkClick); }
//         ...
//
// A class that declares neither simply inherits its parent's lists.

#include "platform/rtl/Exception.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Raised for misuse of components: a bad or duplicate name, a class that cannot be created.
Q4_EXCEPTION(EComponentError, Exception);

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
class TMetaClass;
class TPropInfo;
class TPropertyList;
class TMethodTable;
struct TMethodEntry;
struct TTypeInfo;

// A class record. There is one per class, created on first use and never destroyed.
using TClass = const TMetaClass*;

class TMetaClass {
public:
    // How the registry may create an instance of the class.
    enum class TConstruct { None, Plain, Component, CollectionItem };
    using TFactory = TObject* (*)(void* arg);
    using TDeclareProperties = void (*)(TPropertyList&);
    using TDeclareMethods = void (*)(TMethodTable&);

    TMetaClass(const char* name, TClass parent, TConstruct construct, TFactory factory,
               TDeclareProperties declareProperties, TDeclareMethods declareMethods);
    ~TMetaClass();
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;

    const std::string& ClassName() const { return name_; }
    TClass ClassParent() const { return parent_; }
    bool InheritsFrom(TClass other) const;
    // Compares the class's own name, ignoring case.
    bool ClassNameIs(std::string_view name) const;
    TConstruct Construct() const { return construct_; }

    // Instance creation by class record: a plain object, a component with its owner, or an item
    // added to a collection. Each raises EComponentError when the class is not of that kind.
    TObject* CreateInstance() const;
    TComponent* CreateComponent(TComponent* owner) const;
    TCollectionItem* CreateItem(TCollection* collection) const;

    // The published properties: the parent's first, then the class's own, in declaration order.
    const std::vector<const TPropInfo*>& Properties() const;
    // Finds a published property by name, ignoring case; null when there is none.
    const TPropInfo* FindProperty(std::string_view name) const;
    // Finds a handler method of this class or an ancestor by name, ignoring case.
    const TMethodEntry* FindMethod(std::string_view name) const;
    // The type record that a class-valued property of this class carries.
    const TTypeInfo* TypeInfo() const { return typeInfo_.get(); }

    // Chooses the class's own declaration function: null when the class did not declare one
    // and would only repeat its parent's.
    template <class F> static F Own(F own, F inherited) { return own == inherited ? nullptr : own; }

private:
    void Build() const;

    std::string name_;
    TClass parent_;
    TConstruct construct_;
    TFactory factory_;
    TDeclareProperties declareProperties_;
    TDeclareMethods declareMethods_;
    std::unique_ptr<TTypeInfo> typeInfo_;
    mutable std::once_flag built_;
    mutable std::vector<std::unique_ptr<TPropInfo>> ownProperties_;
    mutable std::vector<const TPropInfo*> properties_;
    mutable std::vector<std::unique_ptr<TMethodEntry>> ownMethods_;
};

namespace q4_detail {
template <class T> TObject* Construct(void* arg) {
    if constexpr (std::is_abstract_v<T>) {
        return nullptr;
    } else if constexpr (std::is_constructible_v<T, TComponent*>) {
        return new T(static_cast<TComponent*>(arg));
    } else if constexpr (std::is_constructible_v<T, TCollection*>) {
        return new T(static_cast<TCollection*>(arg));
    } else if constexpr (std::is_default_constructible_v<T>) {
        return new T();
    } else {
        return nullptr;
    }
}
template <class T> constexpr TMetaClass::TConstruct ConstructKind() {
    if constexpr (std::is_abstract_v<T>)
        return TMetaClass::TConstruct::None;
    else if constexpr (std::is_constructible_v<T, TComponent*>)
        return TMetaClass::TConstruct::Component;
    else if constexpr (std::is_constructible_v<T, TCollection*>)
        return TMetaClass::TConstruct::CollectionItem;
    else if constexpr (std::is_default_constructible_v<T>)
        return TMetaClass::TConstruct::Plain;
    else
        return TMetaClass::TConstruct::None;
}
} // namespace q4_detail

// Names a class of the component model; put it first in the class body. It leaves the
// following members public.
#define Q4_CLASS(Name, Base)                                                                       \
public:                                                                                            \
    using inherited = Base;                                                                        \
    static TClass StaticClass() {                                                                  \
        static const TMetaClass meta(#Name, Base::StaticClass(), q4_detail::ConstructKind<Name>(), \
                                     &q4_detail::Construct<Name>,                                  \
                                     TMetaClass::Own<TMetaClass::TDeclareProperties>(              \
                                         &Name::DeclareProperties, &Base::DeclareProperties),      \
                                     TMetaClass::Own<TMetaClass::TDeclareMethods>(                 \
                                         &Name::DeclareMethods, &Base::DeclareMethods));           \
        return &meta;                                                                              \
    }                                                                                              \
    TClass ClassType() const override {                                                            \
        return StaticClass();                                                                      \
    }

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static TClass StaticClass();
    virtual TClass ClassType() const { return StaticClass(); }

    const std::string& ClassName() const { return ClassType()->ClassName(); }
    TClass ClassParent() const { return ClassType()->ClassParent(); }
    bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }
    bool ClassNameIs(std::string_view name) const { return ClassType()->ClassNameIs(name); }

    // Runs BeforeDestruction while the whole object still exists, then deletes it. Prefer it to
    // a bare delete for components: their owner and observers are told while the object is whole.
    void Free();
    virtual void BeforeDestruction() {}

    // A class's published properties and handler methods (see the top of this file).
    static void DeclareProperties(TPropertyList&) {}
    static void DeclareMethods(TMethodTable&) {}
};

// The deleter of a std::unique_ptr that owns a class-model object: it frees through Free, so a
// component tells its owner and observers while it is still whole.
struct TObjectFree {
    void operator()(TObject* object) const {
        if (object != nullptr)
            object->Free();
    }
};
template <class T> using TFreeingPtr = std::unique_ptr<T, TObjectFree>;

// Frees the object (if any) and clears the pointer.
template <class T> void FreeAndNil(T*& object) {
    T* doomed = object;
    object = nullptr;
    if (doomed != nullptr)
        doomed->Free();
}
