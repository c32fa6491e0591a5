#pragma once
// Objects that can be copied from one another (Assign) and stored in a form description: their
// published properties, plus values they define themselves in DefineProperties.

#include "platform/classes/Object.h"
#include "platform/classes/Properties.h"

#include <string>
#include <utility>
#include <vector>

class TFiler;

class TPersistent : public TObject {
    Q4_CLASS(TPersistent, TObject)

    // Copies source into this object. The default asks the source (AssignTo); when neither side
    // knows the other, raises EConvertError "Cannot assign a <source> to a <this>".
    virtual void Assign(TPersistent* source);
    // The object this one belongs to (a collection's owner, an item's collection), or null.
    virtual TPersistent* GetOwner() { return nullptr; }
    // A path that names the object for the operator: "Owner.Class" by default.
    virtual std::string GetNamePath();

    // Values that a description stores besides the published properties.
    virtual void DefineProperties(TFiler* filer);

    // The name of the method an event property was bound from (empty when assigned in code).
    const std::string& BoundMethodName(const TPropInfo* event) const;
    void SetBoundMethodName(const TPropInfo* event, std::string name);

protected:
    virtual void AssignTo(TPersistent* dest);
    [[noreturn]] void AssignError(TPersistent* source);

private:
    std::vector<std::pair<const TPropInfo*, std::string>> methodNames_;
};
