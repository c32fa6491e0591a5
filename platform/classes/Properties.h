#pragma once
// Published properties and handler methods: what a class declares in DeclareProperties and
// DeclareMethods (see Object.h), and the routines that get and set properties by name or by a
// dotted path ("Font.Name", "LeftAxis.Grid.Visible").
//
// One line declares a property. The kind, the type record and the class come from the member
// pointers:
//
//     p.Add("Caption", &TLabel::GetCaption, &TLabel::SetCaption);   // getter and setter
//     p.Add("Tag", &TComponent::tag_).Default(0);                   // a field, read and written
//     p.Add("IsRoot", &TLocLang::GetIsRoot);                        // read-only: never stored
//     p.Add("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid);
//     p.Add("Font", &TControl::GetFont, &TControl::SetFont);        // owned TPersistent: in place
//     p.Add("Dispatcher", &T::GetDispatcher, &T::SetDispatcher);    // TComponent*: a reference
//     p.Add("OnClick", &TControl::onClick_);                        // std::function: an event
//     p.Add("Stamp", &T::GetStamp, &T::SetStamp, DateTimeTypeInfo()); // an explicit type
//     p.Add("Lists", &T::GetLists, &T::SetLists).Stored(&T::ListsStored);
//     p.AddFn<T>("Side0", [](T* t) { return t->Side(0); }, [](T* t, bool v) { t->SetSide(0, v); });
//
// An ordinal or set property without Default() is always stored; a string is stored when not
// empty, a float when not 0, a reference or event when assigned.

#include "platform/classes/Object.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Classes.h"

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <variant>
#include <vector>

// An event value: the handler (a std::function of the event's type, or empty) and the name of
// the method it was bound from, which descriptions write back.
struct TMethod {
    std::string Name;
    std::any Code;
    bool Assigned() const { return Code.has_value(); }
    // Handlers compare by the method they were bound from.
    bool operator==(const TMethod& other) const {
        return Name == other.Name && Assigned() == other.Assigned();
    }
};

// A property value as the generic routines move it: ordinals, enumerations, sets (bit masks),
// characters and Booleans as int64_t; floats as double; strings as UTF-8; wide strings as
// UTF-16; objects as TObject*; string lists (which are not TObjects) as TStrings*; events as
// TMethod.
using TPropValue = std::variant<std::monostate, int64_t, double, std::string, std::u16string,
                                TObject*, TMethod, TStrings*>;

// The type record of string-list properties ("Lines", "Items"): stored as "Lines.Strings".
const TTypeInfo* StringsTypeInfo();

class TPropInfo {
public:
    static constexpr int64_t NoDefault = INT64_MIN;

    const std::string& Name() const { return name_; }
    const TTypeInfo* PropType() const { return type_; }
    TTypeKind Kind() const { return type_->Kind; }
    // The class that declared the property.
    TClass OwnerClass() const { return ownerClass_; }
    bool IsWritable() const { return static_cast<bool>(set_); }
    bool HasDefault() const { return default_ != NoDefault; }
    int64_t DefaultValue() const { return default_; }
    // The event's std::function type, for tkMethod properties.
    std::type_index MethodType() const { return methodType_; }
    // Whether a description stores the property (the stored flag or predicate).
    bool IsStored(TObject* instance) const;

    TPropValue Get(TObject* instance) const { return get_(instance); }
    // Raises EPropertyError for a read-only property.
    void Set(TObject* instance, const TPropValue& value) const;

    // Declaration modifiers.
    template <class V> TPropInfo& Default(V value) {
        if constexpr (requires { value.Bits(); })
            default_ = static_cast<int64_t>(value.Bits());
        else
            default_ = static_cast<int64_t>(value);
        return *this;
    }
    TPropInfo& NoDefaultValue() {
        default_ = NoDefault;
        return *this;
    }
    TPropInfo& Stored(bool stored) {
        storedFlag_ = stored;
        stored_ = nullptr;
        return *this;
    }
    // A storage predicate: a method of the instance's class C or of one of its bases M. Name C
    // when M is not a component-model class (a helper base such as the framing of the framed
    // views): Stored<TFrTreeView>(&TFrTreeView::IsFramedColorStored). The instance is cast to C
    // and then converted to M, so the method runs on its own part of the object.
    template <class C = void, class M> TPropInfo& Stored(bool (M::*predicate)() const) {
        using Owner = std::conditional_t<std::is_void_v<C>, M, C>;
        static_assert(std::is_base_of_v<TObject, Owner> && std::is_base_of_v<M, Owner>);
        stored_ = [predicate](TObject* o) {
            const M* part = static_cast<Owner*>(o);
            return (part->*predicate)();
        };
        return *this;
    }
    template <class C = void, class M> TPropInfo& Stored(bool (M::*predicate)()) {
        using Owner = std::conditional_t<std::is_void_v<C>, M, C>;
        static_assert(std::is_base_of_v<TObject, Owner> && std::is_base_of_v<M, Owner>);
        stored_ = [predicate](TObject* o) {
            M* part = static_cast<Owner*>(o);
            return (part->*predicate)();
        };
        return *this;
    }

private:
    friend class TPropertyList;
    TPropInfo() = default;

    std::string name_;
    const TTypeInfo* type_ = nullptr;
    TClass ownerClass_ = nullptr;
    int64_t default_ = NoDefault;
    bool storedFlag_ = true;
    std::function<bool(TObject*)> stored_;
    std::function<TPropValue(TObject*)> get_;
    std::function<void(TObject*, const TPropValue&)> set_;
    std::type_index methodType_ = typeid(void);
};

namespace q4_detail {
template <class T> struct MemberClass;
template <class M, class C> struct MemberClass<M C::*> { using type = C; };
template <class T> struct IsStdFunction : std::false_type {};
template <class S> struct IsStdFunction<std::function<S>> : std::true_type {};

template <class V> const TTypeInfo* TypeOf() {
    using P = std::remove_cv_t<std::remove_pointer_t<V>>;
    if constexpr (IsStdFunction<V>::value) {
        static const TTypeInfo info = TTypeInfo::Simple(tkMethod, "TMethod");
        return &info;
    } else if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TObject, P>) {
        return P::StaticClass()->TypeInfo();
    } else if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TStrings, P>) {
        return StringsTypeInfo();
    } else {
        return Q4TypeInfo(static_cast<V*>(nullptr));
    }
}

template <class V> TPropValue ToValue(const V& v) {
    if constexpr (std::is_same_v<V, std::string> || std::is_same_v<V, std::u16string>) {
        return v;
    } else if constexpr (std::is_floating_point_v<V>) {
        return static_cast<double>(v);
    } else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) {
        return static_cast<int64_t>(v);
    } else if constexpr (requires { v.Bits(); }) {
        return static_cast<int64_t>(v.Bits());
    } else if constexpr (std::is_pointer_v<V> &&
                         std::is_base_of_v<TStrings, std::remove_cv_t<std::remove_pointer_t<V>>>) {
        return static_cast<TStrings*>(const_cast<std::remove_cv_t<std::remove_pointer_t<V>>*>(v));
    } else if constexpr (std::is_pointer_v<V>) {
        return static_cast<TObject*>(const_cast<std::remove_cv_t<std::remove_pointer_t<V>>*>(v));
    } else if constexpr (IsStdFunction<V>::value) {
        TMethod m;
        if (v)
            m.Code = v;
        return m;
    } else {
        static_assert(sizeof(V) == 0, "this type cannot be a published property");
    }
}

[[noreturn]] void ThrowInvalidValue();
TObject* CheckedObject(TObject* object, TClass cls);

template <class V> V FromValue(const TPropValue& value) {
    if constexpr (std::is_same_v<V, std::string> || std::is_same_v<V, std::u16string>) {
        if (auto* p = std::get_if<V>(&value))
            return *p;
    } else if constexpr (std::is_floating_point_v<V>) {
        if (auto* p = std::get_if<double>(&value))
            return static_cast<V>(*p);
        if (auto* p = std::get_if<int64_t>(&value))
            return static_cast<V>(*p);
    } else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) {
        if (auto* p = std::get_if<int64_t>(&value))
            return static_cast<V>(*p);
    } else if constexpr (requires { V::FromBits(0); }) {
        if (auto* p = std::get_if<int64_t>(&value))
            return V::FromBits(static_cast<uint64_t>(*p));
    } else if constexpr (std::is_pointer_v<V> &&
                         std::is_base_of_v<TStrings, std::remove_cv_t<std::remove_pointer_t<V>>>) {
        if (auto* p = std::get_if<TStrings*>(&value)) {
            if (*p == nullptr)
                return nullptr;
            if (auto* typed = dynamic_cast<V>(*p))
                return typed;
        }
    } else if constexpr (std::is_pointer_v<V>) {
        using P = std::remove_cv_t<std::remove_pointer_t<V>>;
        if (auto* p = std::get_if<TObject*>(&value))
            return static_cast<V>(CheckedObject(*p, P::StaticClass()));
    } else if constexpr (IsStdFunction<V>::value) {
        if (auto* m = std::get_if<TMethod>(&value)) {
            if (!m->Code.has_value())
                return V{};
            if (auto* f = std::any_cast<V>(&m->Code))
                return *f;
        }
    }
    ThrowInvalidValue();
}
} // namespace q4_detail

class TPropertyList {
public:
    explicit TPropertyList(TClass ownerClass) : ownerClass_(ownerClass) {}

    // A property read through a getter (or field) and written through a setter (or field).
    template <class G, class S>
    TPropInfo& Add(std::string_view name, G getter, S setter, const TTypeInfo* type = nullptr) {
        using C = typename q4_detail::MemberClass<G>::type;
        using V = std::decay_t<std::invoke_result_t<G, C*>>;
        TPropInfo& info = Make(name, type ? type : q4_detail::TypeOf<V>());
        info.get_ = [getter](TObject* o) {
            return q4_detail::ToValue<V>(std::invoke(getter, static_cast<C*>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            using SC = typename q4_detail::MemberClass<S>::type;
            info.set_ = [setter](TObject* o, const TPropValue& value) {
                if constexpr (std::is_member_object_pointer_v<S>)
                    static_cast<SC*>(o)->*setter = q4_detail::FromValue<V>(value);
                else
                    std::invoke(setter, static_cast<SC*>(o), q4_detail::FromValue<V>(value));
            };
        }
        if constexpr (q4_detail::IsStdFunction<V>::value)
            info.methodType_ = typeid(V);
        return info;
    }

    // A field (read and written) or a getter alone (read-only).
    template <class G>
    TPropInfo& Add(std::string_view name, G getterOrField, const TTypeInfo* type = nullptr) {
        if constexpr (std::is_member_object_pointer_v<G>)
            return Add(name, getterOrField, getterOrField, type);
        else
            return Add(name, getterOrField, nullptr, type);
    }

    // A property read and written by functions of the instance, for values that take more than
    // a member (an index, a conversion):
    //     p.AddFn<TFrame>("TopSide", [](TFrame* f) { return f->Side(0); },
    //                     [](TFrame* f, bool v) { f->SetSide(0, v); });
    template <class C, class G, class S = std::nullptr_t>
    TPropInfo& AddFn(std::string_view name, G getter, S setter = nullptr,
                     const TTypeInfo* type = nullptr) {
        using V = std::decay_t<std::invoke_result_t<G, C*>>;
        TPropInfo& info = Make(name, type ? type : q4_detail::TypeOf<V>());
        info.get_ = [getter](TObject* o) {
            return q4_detail::ToValue<V>(getter(static_cast<C*>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            info.set_ = [setter](TObject* o, const TPropValue& value) {
                setter(static_cast<C*>(o), q4_detail::FromValue<V>(value));
            };
        }
        if constexpr (q4_detail::IsStdFunction<V>::value)
            info.methodType_ = typeid(V);
        return info;
    }

private:
    friend class TMetaClass;
    TPropInfo& Make(std::string_view name, const TTypeInfo* type);

    TClass ownerClass_;
    std::vector<std::unique_ptr<TPropInfo>> list_;
};

// A handler method that a description binds by name: Bind makes, for an instance of the class,
// a std::function of the handler's type wrapped in std::any.
struct TMethodEntry {
    std::string Name;
    std::type_index Type = typeid(void);
    std::function<std::any(TObject* instance)> Bind;
};

class TMethodTable {
public:
    template <class C, class R, class... A> void Add(std::string_view name, R (C::*method)(A...)) {
        auto entry = std::make_unique<TMethodEntry>();
        entry->Name = std::string(name);
        entry->Type = typeid(std::function<R(A...)>);
        entry->Bind = [method](TObject* instance) {
            C* self = static_cast<C*>(instance);
            return std::any(std::function<R(A...)>(
                [self, method](A... args) { return (self->*method)(std::forward<A>(args)...); }));
        };
        list_.push_back(std::move(entry));
    }

private:
    friend class TMetaClass;
    std::vector<std::unique_ptr<TMethodEntry>> list_;
};

// Property look-up. GetPropInfo returns null when the class has no such property.
const TPropInfo* GetPropInfo(TClass cls, std::string_view name);
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name);
bool IsPublishedProp(const TObject* instance, std::string_view name);
bool PropIsType(const TObject* instance, std::string_view name, TTypeKind kind);
const std::vector<const TPropInfo*>& GetPropList(TClass cls);

// Typed access by property name; each raises EPropertyError "Property X does not exist" for an
// unknown name and EPropertyConvertError for a value of the wrong kind.
int64_t GetOrdProp(TObject* instance, std::string_view name);
void SetOrdProp(TObject* instance, std::string_view name, int64_t value);
std::string GetEnumProp(TObject* instance, std::string_view name);
void SetEnumProp(TObject* instance, std::string_view name, std::string_view value);
std::string GetSetProp(TObject* instance, std::string_view name, bool brackets = false);
void SetSetProp(TObject* instance, std::string_view name, std::string_view value);
std::string GetStrProp(TObject* instance, std::string_view name);
void SetStrProp(TObject* instance, std::string_view name, const std::string& value);
std::u16string GetWideStrProp(TObject* instance, std::string_view name);
void SetWideStrProp(TObject* instance, std::string_view name, const std::u16string& value);
double GetFloatProp(TObject* instance, std::string_view name);
void SetFloatProp(TObject* instance, std::string_view name, double value);
TObject* GetObjectProp(TObject* instance, std::string_view name);
void SetObjectProp(TObject* instance, std::string_view name, TObject* value);
TMethod GetMethodProp(TObject* instance, std::string_view name);
void SetMethodProp(TObject* instance, std::string_view name, const TMethod& value);

// Walks a dotted path ("Font.Name") through class-valued properties to the object that holds
// the last name; returns that object and the last name's property. Raises EPropertyError when a
// part is missing or an intermediate object is null.
std::pair<TObject*, const TPropInfo*> FindPropPath(TObject* instance, std::string_view path);

// Any property by path, as text: integers in decimal (or their identifier, "clRed"), enums by
// name, sets as "[a,b]", floats with ".", strings as UTF-8, objects by component name, events
// by method name.
std::string GetPropValue(TObject* instance, std::string_view path);
void SetPropValue(TObject* instance, std::string_view path, std::string_view value);
// The raw value by path.
TPropValue GetPropVariant(TObject* instance, std::string_view path);
void SetPropVariant(TObject* instance, std::string_view path, const TPropValue& value);
