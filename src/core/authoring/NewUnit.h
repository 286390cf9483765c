#pragma once
// A new unit as the question editor starts it: a sample instruction and question, and the
// default page blocks.

#include "text/Lines.h"

// "１．次の各空欄に適語を入れなさい。" and "例　日本の首都は　#　東京　#　です".
Lines NewUnitQuestionLines();

// The default "<<value", "<<font" and "<<kran" blocks, keyword and ">>" lines included:
// A4, line spacing 40, margins 5, numbers from 1, every header option; the question text 12
// points in the program's face; rounded boxes 15 wide and 2 high in one column, moved by
// 15 and 10.
Lines DefaultPageBlocks();
