#include "authoring/NewUnit.h"

#include "text/Sjis.h"

Lines NewUnitQuestionLines() {
    return {J("１．次の各空欄に適語を入れなさい。"), J("例　日本の首都は　#　東京　#　です")};
}

Lines DefaultPageBlocks() {
    return {"<<value", "630",    "False",  "40",         "5",     "5",     "1",     "7",
            ">>",      "<<font", "12",     J("MS 明朝"), "False", "False", "False", "False",
            "0",       ">>",     "<<kran", "5",          "15",    "2",     "0",     "0",
            "0",       "15",     "10",     "0",          "0",     ">>"};
}
