#pragma once
// The launcher's German message catalogue: the string table in its own resources.
#include <string>

#include "messages/message_ids.h"
#include "messages/placeholder_format.h"

namespace launcher {

// The text of a catalogue id; empty when the id is missing or its entry is empty.
std::wstring LoadMessage(unsigned id);

// The text of id with its placeholders filled in order (%s a text, %d a number).
template <typename... Arguments>
std::wstring FormatCatalogueMessage(unsigned id, const Arguments&... arguments) {
    return FillPlaceholders(LoadMessage(id), {MessageArgument(arguments)...});
}

}  // namespace launcher
