#pragma once

// Saves a copy of the selected sound file under a name and folder the user
// picks (button 保存, menu 保存(&C), double click in the list), after
// silencing any playback. With the log option on, a one-line log of when and
// from where the copy was made is written beside it, named after the copy
// with ".txt" added. An existing copy or log is replaced without a question.
// A copy that fails is reported, and then no log is written.
void SaveCopy();
