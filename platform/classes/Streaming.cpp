#include "platform/classes/Streaming.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Resources.h"
#include "platform/classes/Writer.h"

#include <vector>

void WriteComponentToStream(TStream& stream, TComponent* component) {
    TWriter writer(stream);
    writer.WriteRootComponent(component);
}

TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance) {
    int64_t start = stream.Position();
    char head[4] = {};
    int64_t got = stream.Read(head, 4);
    stream.SetPosition(start);
    if (got == 4 && IsBinaryDescription(std::string_view(head, 4))) {
        TReader reader(stream);
        return reader.ReadRootComponent(instance);
    }
    return ReadComponentDescription(stream.ReadToEnd(), instance);
}

std::string ComponentToText(TComponent* component) {
    TStringStream binary;
    WriteComponentToStream(binary, component);
    return ObjectBinaryToText(binary.DataString());
}

TComponent* ReadComponentDescription(std::string_view bytes, TComponent* instance) {
    if (IsBinaryDescription(bytes)) {
        TStringStream stream(bytes);
        TReader reader(stream);
        return reader.ReadRootComponent(instance);
    }
    TLineMap lines;
    TStringStream binary(ObjectTextToBinary(bytes, &lines));
    TReader reader(binary);
    reader.SetLineMap(&lines);
    return reader.ReadRootComponent(instance);
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
    std::vector<TClass> chain;
    for (TClass c = instance->ClassType(); c != nullptr && c != rootAncestor; c = c->ClassParent())
        chain.push_back(c);
    bool found = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!FindResource((*it)->ClassName(), RT_RCDATA))
            continue;
        TResourceStream resource((*it)->ClassName(), RT_RCDATA);
        ReadComponentFromStream(resource, instance);
        found = true;
    }
    return found;
}
