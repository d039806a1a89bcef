#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Sprite.h"

// Pictures shared by all screens, each file loaded once, keyed by the path as
// the caller wrote it or by a chosen name.
class PictureBank {
public:
    // The sprite under path, loading it on first use. Without failed, a picture
    // that cannot be loaded is a fatal error naming the file; with failed, *failed
    // tells whether this call tried and failed (the result is then null).
    Sprite* Load(const std::string& path, bool* failed = nullptr);
    // The sprite entered under name; a name never entered is a fatal error.
    Sprite* Get(const std::string& name) const;
    bool Has(const std::string& name) const;
    // Enters sprite under name, destroying an earlier one; a null sprite removes the entry.
    void Put(const std::string& name, std::unique_ptr<Sprite> sprite);
    // A sprite with its own copy of source's picture, rectangle and settings.
    void AddCopy(const std::string& name, const Sprite& source);
    void DestroyAll();
    size_t Size() const { return sprites_.size(); }

    bool lastLoadFailed = false;

private:
    std::map<std::string, std::unique_ptr<Sprite>> sprites_;
};

// Loads the frames named by pattern with its first "{xx}" replaced by 0 .. count-1,
// skipping frames that fail to load.
std::vector<Sprite*> LoadFrames(const std::string& pattern, int count);
