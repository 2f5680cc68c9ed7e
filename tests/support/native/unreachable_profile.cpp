// A Firefox profile on a server that cannot be reached, as a FUSE file
// system: its folders list at once, its prefs.js opens and has a size, and
// every read of it waits until the file RELEASE exists (the test is over),
// then fails as a network does in the end.
//   unreachable_profile RELEASE MOUNTPOINT [FUSE OPTIONS...]
#define FUSE_USE_VERSION 31
#include <fuse3/fuse.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// The folders on the way to prefs.js, each holding the next.
const char* const kFolders[] = {"/", "/Mozilla", "/Mozilla/Firefox", "/Mozilla/Firefox/Profiles",
                                "/Mozilla/Firefox/Profiles/far.default"};
const char kFile[] = "/Mozilla/Firefox/Profiles/far.default/prefs.js";
constexpr off_t kFileSize = 128;

int FolderIndex(const char* path) {
  for (int i = 0; i < static_cast<int>(sizeof kFolders / sizeof *kFolders); ++i)
    if (std::strcmp(path, kFolders[i]) == 0) return i;
  return -1;
}

int GetAttributes(const char* path, struct stat* facts, fuse_file_info*) {
  std::memset(facts, 0, sizeof *facts);
  if (FolderIndex(path) >= 0) {
    facts->st_mode = S_IFDIR | 0755;
    facts->st_nlink = 2;
    return 0;
  }
  if (std::strcmp(path, kFile) != 0) return -ENOENT;
  facts->st_mode = S_IFREG | 0644;
  facts->st_nlink = 1;
  facts->st_size = kFileSize;
  return 0;
}

int ReadFolder(const char* path, void* entries, fuse_fill_dir_t fill, off_t, fuse_file_info*,
               fuse_readdir_flags) {
  const int index = FolderIndex(path);
  if (index < 0) return -ENOENT;
  fill(entries, ".", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
  fill(entries, "..", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
  const char* next = index + 1 < static_cast<int>(sizeof kFolders / sizeof *kFolders)
                         ? kFolders[index + 1]
                         : kFile;
  fill(entries, std::strrchr(next, '/') + 1, nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
  return 0;
}

int Open(const char* path, fuse_file_info* file) {
  if (std::strcmp(path, kFile) != 0) return -ENOENT;
  file->direct_io = 1;  // every read comes here, none from the page cache
  return 0;
}

const char* Release = nullptr;

// The server does not answer while the test runs.
int Read(const char*, char*, size_t, off_t, fuse_file_info*) {
  while (access(Release, F_OK) != 0) usleep(50 * 1000);
  return -EIO;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  Release = argv[1];
  argv[1] = argv[0];
  fuse_operations operations = {};
  operations.getattr = GetAttributes;
  operations.readdir = ReadFolder;
  operations.open = Open;
  operations.read = Read;
  return fuse_main(argc - 1, argv + 1, &operations, nullptr);
}
