#include "engine/FrameRecorder.h"

#include <vector>

namespace {

struct DrawStep {
    std::function<void()> draw;  // empty: a run of quads
    QuadState state;
    std::vector<QuadCorner> corners;
};

struct Recorder {
    std::vector<DrawStep> steps;
    std::vector<std::byte> frameValues;
    std::vector<std::byte> shownValues;
    bool shownKnown = false;
    bool drawnEarly = false;  // this frame went to OpenGL before its end
    bool drawing = false;
};

Recorder& TheRecorder() {
    // Never destroyed: windows closed at exit still hand it their last draws.
    static Recorder& recorder = *new Recorder;
    return recorder;
}

void AppendQuadValues(const QuadState& state, const QuadCorner (&corners)[4]) {
    const void* kind = DrawKind<QuadState>();
    AppendFrameValue(&kind, sizeof kind);
    AppendFrameValue(&state.texture, sizeof state.texture);
    AppendFrameValue(&state.blend, sizeof state.blend);
    AppendFrameValue(&state.source, sizeof state.source);
    AppendFrameValue(&state.destination, sizeof state.destination);
    AppendFrameValue(state.colour, sizeof state.colour);
    AppendFrameValue(corners, sizeof corners);  // four floats each: no padding
}

}  // namespace

void AppendFrameValue(const void* value, std::size_t size) {
    Recorder& recorder = TheRecorder();
    if (!recorder.drawnEarly) {
        const auto* bytes = static_cast<const std::byte*>(value);
        recorder.frameValues.insert(recorder.frameValues.end(), bytes, bytes + size);
    }
}

void RecordDrawStep(std::function<void()> draw) {
    Recorder& recorder = TheRecorder();
    if (recorder.drawing) {
        draw();  // asked for by a step being drawn: it belongs where that step is
        return;
    }
    recorder.steps.push_back({std::move(draw), {}, {}});
}

void RecordQuad(const QuadState& state, const QuadCorner (&corners)[4]) {
    Recorder& recorder = TheRecorder();
    if (recorder.drawing) {
        DrawQuads(state, {corners, corners + 4});
        return;
    }
    AppendQuadValues(state, corners);
    std::vector<DrawStep>& steps = recorder.steps;
    if (steps.empty() || steps.back().draw || !(steps.back().state == state)) {
        steps.push_back({{}, state, {}});
    }
    steps.back().corners.insert(steps.back().corners.end(), corners, corners + 4);
}

void DrawPending() {
    Recorder& recorder = TheRecorder();
    if (recorder.drawing) {
        return;  // a step that reads the screen runs after the steps before it
    }
    recorder.drawing = true;
    for (const DrawStep& step : recorder.steps) {
        if (step.draw) {
            step.draw();
        } else {
            DrawQuads(step.state, step.corners);
        }
    }
    recorder.drawing = false;
    recorder.steps.clear();
    recorder.drawnEarly = true;
    recorder.frameValues.clear();
}

bool FinishFrame() {
    Recorder& recorder = TheRecorder();
    const bool unchanged =
        !recorder.drawnEarly && recorder.shownKnown && recorder.frameValues == recorder.shownValues;
    if (unchanged) {
        recorder.steps.clear();
        recorder.frameValues.clear();
        return false;
    }
    const bool drawnEarly = recorder.drawnEarly;
    recorder.shownValues.swap(recorder.frameValues);
    DrawPending();
    recorder.shownKnown = !drawnEarly;
    recorder.drawnEarly = false;
    return true;
}

void RedrawNextFrame() {
    TheRecorder().shownKnown = false;
}
