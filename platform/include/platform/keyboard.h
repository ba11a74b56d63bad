#pragma once
// The state of a key at the current message.
namespace plat {

// Whether the key is held down at the moment of the current message.
bool IsKeyDown(int virtualKey);

}  // namespace plat
