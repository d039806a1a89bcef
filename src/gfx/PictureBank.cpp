#include "gfx/PictureBank.h"

#include "core/App.h"
#include "engine/GLPicture.h"
#include "engine/MessageBox.h"

Sprite* PictureBank::Load(const std::string& path, bool* failed) {
    if (failed) {
        *failed = false;
    }
    auto entry = sprites_.find(path);
    if (entry != sprites_.end()) {
        return entry->second.get();
    }
    auto sprite = std::make_unique<Sprite>();
    const bool loaded = sprite->Load(path);
    lastLoadFailed = !loaded;
    if (!loaded) {
        if (!failed) {
            FatalError(sprite->LoadFailure());
        }
        *failed = true;
        return nullptr;
    }
    Sprite* result = sprite.get();
    sprites_[path] = std::move(sprite);
    return result;
}

Sprite* PictureBank::Get(const std::string& name) const {
    auto entry = sprites_.find(name);
    if (entry == sprites_.end()) {
        FatalError("The picture \"" + name + "\" was never loaded.");
    }
    return entry->second.get();
}

bool PictureBank::Has(const std::string& name) const {
    return sprites_.count(name) != 0;
}

void PictureBank::Put(const std::string& name, std::unique_ptr<Sprite> sprite) {
    // No sprite means no entry: Get must never hand out a null.
    if (!sprite) {
        sprites_.erase(name);
        return;
    }
    sprites_[name] = std::move(sprite);
}

void PictureBank::AddCopy(const std::string& name, const Sprite& source) {
    auto copy = std::make_unique<Sprite>();
    source.CloneTo(*copy);
    if (!copy->picture || !copy->picture->IsLoaded()) {
        FatalError("Cannot load the picture \"" + source.path + "\" again for \"" + name + "\".");
    }
    Put(name, std::move(copy));
}

void PictureBank::DestroyAll() {
    sprites_.clear();
}

std::vector<Sprite*> LoadFrames(const std::string& pattern, int count) {
    static const std::string marker = "{xx}";
    const size_t markerAt = pattern.find(marker);
    std::vector<Sprite*> frames;
    for (int i = 0; i < count; ++i) {
        std::string name = pattern;
        if (markerAt != std::string::npos) {
            name.replace(markerAt, marker.size(), std::to_string(i));
        }
        bool failed = false;
        Sprite* frame = App.pictures->Load(name, &failed);
        if (!failed) {
            frames.push_back(frame);
        }
    }
    return frames;
}
