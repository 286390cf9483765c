#pragma once
// The shape of the answer boxes (lstKranX line 0) as the layout settings dialog chooses it.

struct Workspace;

// Box kinds: 0 none, 1 square, 2 square brackets, 3 lenticular brackets, 4 underline,
// 5 rounded square.
struct BoxKindSpins {
    bool width;  // 幅 applies to the kind
    bool height; // 高さ applies to the kind
};
// Which of the two size spins a kind uses (none for an unknown kind).
BoxKindSpins SizeSpinsOf(int kind);

// Gives the current worksheet box kind `kind` and lays it out again. Choosing なし or ____
// marks the worksheet modified; the other shapes leave the mark as it was. Kinds outside
// 0..5 change nothing.
void SetBoxKind(Workspace& program, int kind);
