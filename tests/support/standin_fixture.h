#pragma once
// The host stand-in around one test: back to its defaults before and after,
// connected to a model on request. The host's own tests read the message
// boxes the stand-in shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/acc_connect.h"
#include "host/host_model.h"
#include "host/stand_in.h"
#include "platform/types.h"

namespace support {

// A message box as a test sees it, "<owner> <style> <title>: <text>"; under
// Wine a real box, showing no style nor an owner that is no window: "<title>: <text>".
std::string Box(plat::WindowHandle owner, unsigned style, const std::string& title, const std::string& text);

class StandInTest : public ::testing::Test {
protected:
    // keepMessages: the message boxes shown from now on are kept for
    // Messages(), each answered with its default button.
    explicit StandInTest(bool keepMessages = false);
    ~StandInTest() override;

    // Connects to the model; the calls so far are forgotten.
    void Connect(const host::HostModel& model);

    std::vector<std::string> Messages() const;
};

// Puts the model in place of the host data folder; the next Initiate uses it.
void InstallModel(const host::HostModel& model);

}  // namespace support
