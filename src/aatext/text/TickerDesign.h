#pragma once

namespace saver {

class TAAScrollText;

// The two text areas of the feed ticker's design.
enum class TickerArea { Title, List };

// Gives a scrolling text control the ticker's design for one area: its size, timing,
// layout, quality, black background, the standard labels and the five font labels
// Title1, Text1, Text2, text3 and line. The control is left inactive.
void ApplyTickerDesign(TAAScrollText& text, TickerArea area);

}  // namespace saver
