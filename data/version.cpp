#include "data/version.h"

namespace vellmora {

const char* versionString() {
    return VELLMORA_VERSION;
}

}  // namespace vellmora
