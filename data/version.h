#pragma once

namespace vellmora {

// The program version shown by the simulator and the about box, "1.03" style.
const char* versionString();

}  // namespace vellmora
