// Must not compile: a window takes the help window itself instead of asking for a topic.
#include "gui/Desk.h"
#include "gui/TfrmHelp.h"

void showTopicSeven(Desk& desk) {
    desk.helpWindow().showTopic(7);
}
