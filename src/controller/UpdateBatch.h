// Work over many notes (a save, a matching tick, loading, deleting all)
// refreshes the main panel once and saves at most once, however many notes
// it touches. Inside a batch every change only records what is owed; the
// outermost batch settles it when it ends. No window code here.
#pragma once

class CUpdateBatch {
public:
    // What the outermost batch owes when it ends.
    struct Owed {
        bool refresh = false;
        bool save = false;
    };

    void Begin() { ++m_depth; }
    // Ends one level; the outermost level returns what is owed and clears it.
    Owed End();
    bool Active() const { return m_depth > 0; }

    // The active notes changed. Outside a batch the caller refreshes and
    // saves at once (true); inside, both are owed (false).
    bool Changed();
    // The data file was written inside this batch: no save is owed for the
    // changes made so far.
    void Saved();

private:
    int m_depth = 0;
    Owed m_owed;
};
