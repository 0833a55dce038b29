/*
 * The undo ring. The steps that undo can take and, after them, those that
 * redo can take sit in one ring of UNDO_STEPS snapshots, oldest first: an
 * undo swaps the tape with the newest undo step, which then holds the
 * state that redo brings back, so undo and redo together never need more
 * than UNDO_STEPS. When the ring is full a new step drops the oldest.
 */
#include "tape/undo.h"

#include <string.h>

#include "amount/platform.h"
#include "tape/tape.h"

namespace {

TapeState g_UndoRing[UNDO_STEPS];
int g_nUndoFirst;  /* ring index of the oldest step */
int g_nUndoSteps;  /* steps that undo can take */
int g_nRedoSteps;  /* steps that redo can take, stored after them */
int g_nChangeDepth;
TapeState g_TapeBefore; /* the tape as the outermost change found it */

TapeState &Step(int i)
{
    return g_UndoRing[(g_nUndoFirst + i) % UNDO_STEPS];
}

/* Only the lines count: the view and the operator flag alone are no change
   that the user could see undone. */
bool LinesDiffer(const TapeState &a, const TapeState &b)
{
    return a.tapeCur != b.tapeCur ||
           memcmp(a.entries, b.entries, sizeof(TapeEntry) * (size_t)(a.tapeCur + 1)) != 0;
}

void SwapTapeWith(TapeState &step)
{
    TapeState kept = g_Tape;
    g_Tape = step;
    step = kept;
}

} // namespace

void BeginTapeChange(void)
{
    if (g_nChangeDepth++ == 0)
        g_TapeBefore = g_Tape;
}

void EndTapeChange(void)
{
    if (g_nChangeDepth == 0 || --g_nChangeDepth > 0 || !LinesDiffer(g_TapeBefore, g_Tape))
        return;
    if (g_nUndoSteps == UNDO_STEPS) {
        g_nUndoFirst = (g_nUndoFirst + 1) % UNDO_STEPS;
        g_nUndoSteps--;
    }
    Step(g_nUndoSteps++) = g_TapeBefore;
    g_nRedoSteps = 0;
}

bool CanUndoTapeChange(void)
{
    return g_nChangeDepth == 0 && g_nUndoSteps > 0;
}

bool CanRedoTapeChange(void)
{
    return g_nChangeDepth == 0 && g_nRedoSteps > 0;
}

bool UndoTapeChange(void)
{
    if (!CanUndoTapeChange())
        return false;
    SwapTapeWith(Step(--g_nUndoSteps));
    g_nRedoSteps++;
    RepaintAfterChange();
    return true;
}

bool RedoTapeChange(void)
{
    if (!CanRedoTapeChange())
        return false;
    SwapTapeWith(Step(g_nUndoSteps++));
    g_nRedoSteps--;
    RepaintAfterChange();
    return true;
}

void ForgetTapeChanges(void)
{
    g_nUndoFirst = 0;
    g_nUndoSteps = 0;
    g_nRedoSteps = 0;
}
