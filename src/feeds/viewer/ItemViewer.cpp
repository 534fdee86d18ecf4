#include "feeds/viewer/ItemViewer.h"

#include "feeds/readers/TSimpleRSS.h"

namespace saver {

void ItemViewer::ShowItem(TSimpleRSS& rss, int index) {
    if (index < 0 || index >= rss.Items().Count()) {
        return;
    }
    exists_ = true;
    link_ = rss.Items().Items(index).Link;
}

}  // namespace saver
