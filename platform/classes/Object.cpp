#include "platform/classes/Object.h"

#include "platform/classes/Properties.h"
#include "platform/classes/TypeInfo.h"

TMetaClass::TMetaClass(const char* name, TClass parent, TConstruct construct, TFactory factory,
                       TDeclareProperties declareProperties, TDeclareMethods declareMethods)
    : name_(name), parent_(parent), construct_(construct), factory_(factory),
      declareProperties_(declareProperties), declareMethods_(declareMethods),
      typeInfo_(std::make_unique<TTypeInfo>()) {
    typeInfo_->Kind = tkClass;
    typeInfo_->Name = name_;
    typeInfo_->ClassType = this;
}

TMetaClass::~TMetaClass() = default;

bool TMetaClass::InheritsFrom(TClass other) const {
    for (TClass c = this; c != nullptr; c = c->parent_)
        if (c == other)
            return true;
    return false;
}

bool TMetaClass::ClassNameIs(std::string_view name) const {
    return SameIdent(name_, name);
}

TObject* TMetaClass::CreateInstance() const {
    if (construct_ != TConstruct::Plain)
        throw EComponentError("Cannot create an instance of " + name_);
    return factory_(nullptr);
}

void TMetaClass::Build() const {
    std::call_once(built_, [this] {
        std::vector<std::unique_ptr<TMethodEntry>> methods;
        if (parent_ != nullptr)
            properties_ = parent_->Properties();
        if (declareProperties_ != nullptr) {
            TPropertyList list(this);
            declareProperties_(list);
            ownProperties_ = std::move(list.list_);
            for (const auto& own : ownProperties_) {
                bool replaced = false;
                for (auto& inherited : properties_) {
                    if (SameIdent(inherited->Name(), own->Name())) {
                        inherited = own.get();
                        replaced = true;
                        break;
                    }
                }
                if (!replaced)
                    properties_.push_back(own.get());
            }
        }
        if (declareMethods_ != nullptr) {
            TMethodTable table;
            declareMethods_(table);
            ownMethods_ = std::move(table.list_);
        }
    });
}

const std::vector<const TPropInfo*>& TMetaClass::Properties() const {
    Build();
    return properties_;
}

const TPropInfo* TMetaClass::FindProperty(std::string_view name) const {
    for (const TPropInfo* info : Properties())
        if (SameIdent(info->Name(), name))
            return info;
    return nullptr;
}

const TMethodEntry* TMetaClass::FindMethod(std::string_view name) const {
    for (TClass c = this; c != nullptr; c = c->parent_) {
        c->Build();
        for (const auto& entry : c->ownMethods_)
            if (SameIdent(entry->Name, name))
                return entry.get();
    }
    return nullptr;
}

TClass TObject::StaticClass() {
    static const TMetaClass meta("TObject", nullptr, TMetaClass::TConstruct::Plain,
                                 &q4_detail::Construct<TObject>, nullptr, nullptr);
    return &meta;
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}
