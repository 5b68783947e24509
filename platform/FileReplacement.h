#pragma once

#include <string>

class Notifier;

// Replaces a file's contents so that it is never seen half written: the text goes to a new file
// beside the target, reaches the disk, and is renamed into the target's place, which keeps its
// permissions. A path that is a symbolic link stays one: the file it leads to is replaced. A
// device or a FIFO (or a link to one) stays in place and takes the text as written into it.
// False, with the target as it was and no new file left behind, when any step failed. Paths
// are UTF-8; the text is written in text mode, so "\n" becomes the platform's line end.
bool ReplaceFileContents(const std::string& path, const std::string& text);

// The file a path names, symbolic links followed (a relative link from its own folder); the
// last target need not exist yet. A loop of links is left as it is, so that opening it fails.
std::string FollowLinks(const std::string& path);

// The path up to its last path separator ("/" for a file at the root); empty when it has none.
std::string FolderOfPath(const std::string& path);

// Before a file is saved over: true when there is no file at the path, or the operator answered
// "Yes" to replacing it.
bool MayReplaceFile(Notifier& notifier, const std::string& path);
