#include "engine/InputSeam.h"

#include "engine/SdlInputSeam.h"

namespace {
InputSeam* installedSeam = nullptr;
}

InputSeam& CurrentInputSeam() {
    if (installedSeam != nullptr) {
        return *installedSeam;
    }
    static SdlInputSeam sdlSeam;
    return sdlSeam;
}

void SetInputSeam(InputSeam* seam) { installedSeam = seam; }
