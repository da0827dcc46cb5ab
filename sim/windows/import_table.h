// A module's import table: checked before loading, rewritten after.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct ImportReplacement {
  const char* name;
  void* function;
};

// Checks, before the module is loaded, that every function it imports exists
// in the DLL it names, as Windows does before it runs any of the module's code.
// (Wine's loader puts a stub in place of a missing function instead, and the
// module would only fail when it called it.) False with `error` naming the first
// import that does not resolve.
bool ImportsResolve(const std::string& path, std::string& error);

// Points a loaded module's imports of the named functions at replacements, by
// rewriting its import address table: the module then calls the replacement
// wherever it would call the system's function. Returns the names that the module does not import (each found name is
// redirected in every DLL's import list); false with `error` when the
// module's tables cannot be read or written.
bool RedirectImports(void* module, const std::vector<ImportReplacement>& replacements,
                     std::vector<std::string>& notImported, std::string& error);

}  // namespace sim
