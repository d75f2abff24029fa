#pragma once

// Start-up steps of zumoltc that do not depend on the command line.
namespace Startup {

// Application name "zumoltc", organisation "tovel", version "0.2.0".
void setApplicationIdentity();

} // namespace Startup
