// vellmora-sim: plays Vellmora without a screen.
#include <cstdio>

#include "data/version.h"

int main() {
    std::printf("vellmora-sim %s\n", vellmora::versionString());
    return 0;
}
