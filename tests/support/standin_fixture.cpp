#include "standin_fixture.h"

namespace support {

StandInTest::StandInTest(bool keepMessages) {
    host::StandIn::Get().Reset();
    if (!keepMessages) return;
    host::StandIn::Get().SetMessageHandler([this](plat::WindowHandle owner, const std::string& text,
                                                  const std::string& caption, unsigned style) {
        messages.push_back({owner, text, caption, style});
        return messageAnswer;
    });
}

StandInTest::~StandInTest() {
    host::StandIn::Get().SetMessageHandler(nullptr);
    host::StandIn::Get().Reset();
}

void StandInTest::Connect(const host::HostModel& model) {
    InstallModel(model);
    ASSERT_EQ(0, ClAccConnect::Inst()->Initiate());
    host::StandIn::Get().ClearCalls();
}

void InstallModel(const host::HostModel& model) {
    host::StandIn::Get().Reset();
    host::StandIn::Get().UseModel(model);
}

}  // namespace support
