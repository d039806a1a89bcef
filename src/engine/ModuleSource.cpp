#include "engine/ModuleSource.h"

#include <libopenmpt/libopenmpt.hpp>

#include <map>
#include <string>

#include "engine/MixFormat.h"

ModuleSource::ModuleSource() = default;
ModuleSource::~ModuleSource() = default;

bool ModuleSource::Open(const std::vector<uint8_t>& fileBytes) {
    module_.reset();
    try {
        // No dither: the same music renders the same every time it starts.
        module_ = std::make_unique<openmpt::module>(fileBytes, log_,
                                                    std::map<std::string, std::string>{{"dither", "0"}});
    } catch (const std::exception&) {
        return false;  // openmpt::exception, or out of memory for a huge damaged file
    }
    return true;
}

void ModuleSource::SetLooping(bool loop) {
    if (module_) {
        module_->set_repeat_count(loop ? -1 : 0);
    }
}

int ModuleSource::Read(int16_t* stereo, int frames) {
    if (!module_ || frames <= 0) {
        return 0;
    }
    return static_cast<int>(
        module_->read_interleaved_stereo(MixRate, static_cast<std::size_t>(frames), stereo));
}

bool ModuleSource::Rewind() {
    if (!module_) {
        return false;
    }
    module_->set_position_seconds(0);
    return true;
}
