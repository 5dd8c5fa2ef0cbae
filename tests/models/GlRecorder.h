#pragma once

#include <string>
#include <vector>

// Records the GL calls that models issue, in order, as text such as
// "glColor3ub(255, 255, 254)" or "glMaterialfv(GL_FRONT, GL_SPECULAR, 1, 1, 1, 1)".
// The test program defines these GL entry points itself, records each call
// while a recorder is active, and passes it on to the real GL library, so
// display lists are still built and drawn.
class GlRecorder {
public:
    GlRecorder();
    ~GlRecorder();
    GlRecorder(const GlRecorder&) = delete;
    GlRecorder& operator=(const GlRecorder&) = delete;

    const std::vector<std::string>& calls() const { return calls_; }
    // The calls whose name starts with `prefix`, e.g. "glColor".
    std::vector<std::string> CallsNamed(const std::string& prefix) const;
    void Clear() { calls_.clear(); }
    static std::vector<std::string> Filter(const std::vector<std::string>& calls, const std::string& prefix);

    void Add(std::string call) { calls_.push_back(std::move(call)); }

private:
    std::vector<std::string> calls_;
};
