#pragma once

#include "models/Model.h"

// Shows one model alone in the show's projection and light, centred and
// sized to fill the picture, turning slowly about its vertical axis. Built
// and used with a current GL context.
class ModelViewer {
public:
    ModelViewer(const ModelDescriptor& descriptor, int width, int height, bool sepia);
    ~ModelViewer();
    ModelViewer(const ModelViewer&) = delete;
    ModelViewer& operator=(const ModelViewer&) = delete;

    // Draws frame `frame`: the model turns 10 degrees a frame.
    void DrawFrame(int frame);

private:
    Model model_;
    float centre_[3] = {};
    float scale_ = 1.0f;
    bool previousSepia_;
};
