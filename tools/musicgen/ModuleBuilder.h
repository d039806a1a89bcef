#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ItModule.h"
#include "Score.h"

class NoteRenderer;

// Turns a score into a module: one pattern per section, one instrument per sound it uses, the
// samples rendered from the SoundFont (each sound once per builder, however many pieces use it).
class ModuleBuilder {
public:
    explicit ModuleBuilder(NoteRenderer& renderer) : renderer_(renderer) {}

    ItModule Build(const Score& score);

private:
    const std::vector<ItSample>& SamplesOf(const std::string& sound);
    void AddInstrument(ItModule& module, const std::string& sound, const std::set<int>& notes);

    NoteRenderer& renderer_;
    std::map<std::string, std::vector<ItSample>> rendered_;
};
