#pragma once
// The toolkit's own notes (a missing runtime folder and the like) are not the user's
// business: a normal run keeps the terminal quiet. VELMIX_QT_MESSAGES=1 shows them while
// looking into a problem; critical and fatal messages always show.

void QuietToolkitUnlessAsked();
