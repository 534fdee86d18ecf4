#pragma once

#include <gdk/gdk.h>

#include <optional>

#include "platform/InputMessage.h"

namespace saver {

// Translates a GDK key, button, scroll or motion event into the input message the
// core's rules read; nullopt for every other event.
std::optional<InputMessage> TranslateGdkEvent(const GdkEvent* event);

// The virtual-key code of a GDK key value; 0xFF for keys without one.
uint32_t VirtualKeyOf(guint keyval);

}  // namespace saver
