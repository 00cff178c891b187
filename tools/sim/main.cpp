// vellmora-sim: plays Vellmora without a screen.
#include <cstdio>

int main() {
    std::printf("vellmora-sim %s\n", VELLMORA_VERSION);
    return 0;
}
