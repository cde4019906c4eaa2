// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/OpenedFile.h"
#include "files/PieceSize.h"
#include "files/TextSink.h"

#include <functional>

// The save path: how the new text of the user's file takes the old one's place. This header is
// its entry; the classes it uses are named in brackets.
//
// The calling sequence
//
//   An operation opens the file through loadtext (text/Loadtext.h), which holds it as an
//   OpenedFile: found once, opened once for reading and writing, locked against a second
//   Cindral, its folder opened beside it. It reads the text, then calls savetext with a producer
//   that writes the new text into the sink it is given. savetext takes one of two routes:
//
//   Replace, for a file with one name whose identity a new file can take:
//     1. the names it may put beside the file are recorded in the recovery folder (PendingNames);
//     2. a new file beside the old one takes over its owner, group, mode and extended
//        attributes (NewFile, FileIdentity), and the producer writes into it;
//     3. the new file is flushed and named, the old file is checked once more
//        (OpenedFile::checkUntouched), and the two names are exchanged;
//     4. what the exchange took is the file that was read, unwritten, and goes; anything else is
//        exchanged back. Where names cannot be exchanged, the old file is moved aside, checked
//        there, and only then replaced. The folder is synced; the record of the names goes.
//
//   Overwrite in place, for any other file:
//     1. the producer writes into a copy in the recovery folder (RecoveryCopy);
//     2. a write lease is taken where the system grants one (WriteLease);
//     3. the copy gets the checksums of the old text and its record (OverwriteBlocks,
//        RecoveryRecord), and is flushed and named;
//     4. the last check; the space is reserved;
//     5. the overwrite is marked as begun, and the copy is written over the file and flushed;
//     6. without an unbroken lease the file is read back; the copy goes.
//
//   In a run over many files the saves run side by side: each flush waits to be made with the
//   others' (FlushGroup), and the names of step 1 are recorded in one record a thread
//   (NamesSlot). The steps and their order stay as above.
//
// The error handling
//
//   Every step throws Failure: FileError for what the system refused and for others' changes,
//   DiskFull for a write cut short, with the system's reason (FileFailure). Until the exchange,
//   or until the overwrite is marked as begun, a failure leaves the file exactly as it was and
//   takes away what the save made. After that, on the in-place route, the copy stays: a failure
//   or a crash part-way leaves it for the next run to finish (InterruptedSaves), and a file that
//   does not read back as the new text fails with the copy kept for the user (Failure::keptIn).
//   A crash at any other moment leaves nothing the next run does not clear away.
namespace cindral {

// Makes the whole content of the file that was read what `produce` writes into the sink it is
// given, or leaves the file exactly as it was when anything fails, `produce` included, by the
// routes above. A file that cannot be written (see OpenedFile::whyUnwritable) fails at once with
// Failure(FileError), before `produce` runs. A file that someone else has meanwhile replaced,
// moved, removed or changed is left alone with Failure(FileError), and so is whatever now lies in
// its place.
void savetext(const OpenedFile& file, const std::function<void(TextSink&)>& produce,
              qsizetype pieceSize = defaultPieceSize);

} // namespace cindral
