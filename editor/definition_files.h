// The clock definitions beside the editor: clock programs stored as "<name>.prm", which the
// editor offers as clock shapes and copies, unread, to the front of a new clock.
#pragma once

#include <string>
#include <vector>

namespace tavimore {

// The names (with extension) of the ".prm" files in `folder` (ending with a backslash), in
// the order the directory listing gives them: the editor keeps that order, unsorted.
std::vector<std::wstring> ListDefinitionFiles(const std::wstring& folder);

// What the list shows for a definition file: its name without the extension.
std::wstring DefinitionCaption(const std::wstring& fileName);

}  // namespace tavimore
