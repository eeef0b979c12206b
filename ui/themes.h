#pragma once
// Whether the platform offers visual themes to controls: version 5.1 or later with common
// controls of a major version above 5.
namespace zel {

bool PlatformSupportsThemes();

} // namespace zel
