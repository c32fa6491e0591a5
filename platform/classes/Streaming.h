#pragma once
// Whole descriptions: components to and from streams, text and the program's resources.

#include "platform/classes/Component.h"
#include "platform/rtl/Streams.h"

#include <string>
#include <string_view>

// Writes component as a binary description at the stream's position.
void WriteComponentToStream(TStream& stream, TComponent* component);
// Reads one description (binary at the stream's position, or text from there to the end) into
// instance, or into a new component of the named class when instance is null.
TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance);

// The text form of component's description.
std::string ComponentToText(TComponent* component);
// Reads a description held in memory, binary or text. Errors in text name the line.
TComponent* ReadComponentDescription(std::string_view bytes, TComponent* instance);

// A form reads its own description when it is created: the descriptions stored as resources
// under the class names of instance's class and its ancestors below rootAncestor, the most
// distant ancestor first. Returns false when there is none.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);
