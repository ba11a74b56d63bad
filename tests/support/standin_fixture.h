#pragma once
// The host stand-in around one test: back to its defaults before and after,
// connected to a model on request. The host's own tests keep its message
// boxes instead of showing them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/acc_connect.h"
#include "host/host_model.h"
#include "host/stand_in.h"
#include "platform/types.h"

namespace support {

class StandInTest : public ::testing::Test {
protected:
    struct Message {
        plat::WindowHandle owner;
        std::string text;
        std::string caption;
        unsigned style;
    };

    // keepMessages: the stand-in's message boxes go to messages, answered with messageAnswer.
    explicit StandInTest(bool keepMessages = false);
    ~StandInTest() override;

    // Connects to the model; the calls so far are forgotten.
    void Connect(const host::HostModel& model);

    std::vector<Message> messages;
    int messageAnswer = plat::kIdOk;
};

// Puts the model in place of the host data folder; the next Initiate uses it.
void InstallModel(const host::HostModel& model);

}  // namespace support
