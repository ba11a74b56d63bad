#pragma once
// Progresses for the work's runs: one that records the calls, one that drops them.
#include <cstdint>
#include <string>
#include <vector>

#include "shared/progress.h"

namespace support {

// Records the calls the work makes: "Advance from to", and a run of pulses as
// one entry "Pulse xN".
class RecordingProgress : public ClProgress {
public:
    void Advance(std::int16_t from, std::int16_t to) override {
        m_calls.push_back("Advance " + std::to_string(from) + " " + std::to_string(to));
        m_nRun = 0;
    }
    void Pulse() override {
        ++m_nPulses;
        if (m_nRun > 0) m_calls.pop_back();
        m_calls.push_back("Pulse x" + std::to_string(++m_nRun));
    }
    void Reset() {
        m_calls.clear();
        m_nRun = 0;
        m_nPulses = 0;
    }
    const std::vector<std::string>& Calls() const { return m_calls; }
    long Pulses() const { return m_nPulses; }

private:
    std::vector<std::string> m_calls;
    long m_nRun = 0;
    long m_nPulses = 0;
};

// Takes the calls and keeps nothing: for runs whose progress nobody checks.
class NullProgress : public ClProgress {
public:
    void Advance(std::int16_t, std::int16_t) override {}
    void Pulse() override {}
};

}  // namespace support
