/*
 * Undo and redo of the tape's changes: a key, a whole paste, a whole replay,
 * the power key. A change is whatever happens between the outermost
 * BeginTapeChange and its EndTapeChange that alters the tape's lines; a key
 * that alters nothing, or only the view (the scroll keys), is no step.
 * The steps are whole TapeState snapshots in one fixed ring.
 */
#ifndef ORVANTA_UNDO_H
#define ORVANTA_UNDO_H

enum { UNDO_STEPS = 100 };

/* Around every change; they nest, and only the outermost pair records a
   step. PressTapeKey brackets each key; a paste or a replay brackets all of
   its keys, so that they undo as one. */
void BeginTapeChange(void);
void EndTapeChange(void);

/* Whether undo or redo can act now: a step is there, and no change is
   under way. */
bool CanUndoTapeChange(void);
bool CanRedoTapeChange(void);

/* Puts the tape back as it was before the last change (undo) or as it was
   before the last undo (redo), view and counters included, and repaints
   the LCD; returns false, changing nothing, when there is no step. A
   change after an undo drops the steps that redo had. */
bool UndoTapeChange(void);
bool RedoTapeChange(void);

/* Drops every step: a new calculator starts with none. */
void ForgetTapeChanges(void);

#endif
