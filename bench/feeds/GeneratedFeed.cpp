#include "GeneratedFeed.h"

namespace saver {

std::string GeneratedFeed(int items) {
    std::string feed =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<rss version=\"2.0\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n<channel>\n"
        "<title>Benchmark News</title>\n<link>http://example.com/</link>\n"
        "<description>Generated for the benchmark</description>\n<language>en-us</language>\n"
        "<pubDate>Sat, 03 Jan 2009 07:55:17 GMT</pubDate>\n<ttl>30</ttl>\n";
    for (int i = 0; i < items; ++i) {
        const std::string n = std::to_string(i);
        feed +=
            "<item>\n<title>Story " + n + ": markets &amp; more in &quot;review&quot;</title>\n";
        feed += "<link>http://example.com/stories/" + n + ".html</link>\n";
        feed += "<description><![CDATA[<p>Story " + n +
                ": <b>markets</b> rose and bonds fell.</p><p>More below.</p>]]></description>\n";
        feed += "<category domain=\"http://example.com/sections\">Economy</category>\n";
        feed += "<enclosure url=\"http://example.com/audio/" + n +
                ".mp3\" length=\"123456\" type=\"audio/mpeg\"/>\n";
        feed += "<guid isPermaLink=\"true\">http://example.com/stories/" + n + ".html</guid>\n";
        feed += "<pubDate>Sat, 03 Jan 2009 07:55:17 GMT</pubDate>\n</item>\n";
    }
    feed += "</channel>\n</rss>\n";
    return feed;
}

}  // namespace saver
