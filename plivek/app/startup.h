#pragma once

// Start-up steps of plivek that do not depend on the command line.
namespace Startup {

// Application name "plivek", organisation "tovel", version "1.7.21".
void setApplicationIdentity();

} // namespace Startup
