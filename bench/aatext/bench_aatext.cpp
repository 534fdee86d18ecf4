// Rebuild of the ticker's list area, one scroll frame, and the same 25 lines drawn with
// pango and cairo for comparison.
#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include "TickerListLines.h"
#include "aatext/text/TAAScrollText.h"
#include "aatext/text/TickerDesign.h"

namespace saver {
namespace {

struct ListArea {
    TAATimerMgr timers{nullptr};
    TAAScrollText text{timers};
    ListArea() {
        ApplyTickerDesign(text, TickerArea::List);
        text.Text().SetLines(bench::TickerListLines());
        text.Loaded();
    }
};

void BM_BuildTextImage(benchmark::State& state) {
    ListArea area;
    for (auto _ : state) {
        area.text.BuildTextImage();
        benchmark::DoNotOptimize(area.text.TextImage().Row(0));
    }
    state.counters["image_height"] = area.text.TextImage().Height();
}
BENCHMARK(BM_BuildTextImage)->Unit(benchmark::kMillisecond);

void BM_ScrollFrame(benchmark::State& state) {
    ListArea area;
    int offset = 0;
    for (auto _ : state) {
        area.text.SetScrollOffset(++offset);
        benchmark::DoNotOptimize(area.text.FrameImage().Row(0));
    }
}
BENCHMARK(BM_ScrollFrame)->Unit(benchmark::kMicrosecond);

// The same lines in the same sizes (13 px regular, the first 15 px bold) with the
// platform's own text stack: anti-aliased, no effects.
void BM_PangoCairoList(benchmark::State& state) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 423, 600);
    cairo_t* cr = cairo_create(surface);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* regular = pango_font_description_from_string("Arial");
    pango_font_description_set_absolute_size(regular, 13 * PANGO_SCALE);
    PangoFontDescription* bold = pango_font_description_copy(regular);
    pango_font_description_set_weight(bold, PANGO_WEIGHT_BOLD);
    pango_font_description_set_absolute_size(bold, 15 * PANGO_SCALE);
    const std::vector<std::string> lines = bench::TickerListLines();
    for (auto _ : state) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        double y = 10;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::string plain = line.substr(line.find('>') + 1);
            pango_layout_set_font_description(layout, i == 0 ? bold : regular);
            pango_layout_set_text(layout, plain.c_str(), static_cast<int>(plain.size()));
            cairo_move_to(cr, 0, y);
            pango_cairo_show_layout(cr, layout);
            y += 22;
        }
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    pango_font_description_free(bold);
    pango_font_description_free(regular);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_PangoCairoList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
