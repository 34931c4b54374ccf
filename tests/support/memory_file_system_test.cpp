#include "tests/support/memory_file_system.h"

#include <gtest/gtest.h>

namespace tessaro::testing {
namespace {

Bytes ReadAll(File& f, size_t n) {
  Bytes buf(n);
  size_t got = 0;
  EXPECT_TRUE(f.Read(buf.data(), n, &got));
  buf.resize(got);
  return buf;
}

TEST(MemoryFileSystem, FilesBehaveLikeFiles) {
  MemoryFileSystem fs;
  fs.SetFile("a", Bytes{1, 2, 3, 4, 5});
  std::unique_ptr<File> in = fs.OpenRead("a");
  ASSERT_TRUE(in);
  EXPECT_EQ(ReadAll(*in, 2), (Bytes{1, 2}));
  EXPECT_EQ(ReadAll(*in, 10), (Bytes{3, 4, 5}));
  EXPECT_EQ(fs.OpenRead("missing"), nullptr);

  EXPECT_EQ(fs.CreateExclusive("a", nullptr), nullptr);  // exists
  std::unique_ptr<File> out = fs.CreateExclusive("b", nullptr);
  ASSERT_TRUE(out);
  const uint8_t data[] = {9, 8, 7};
  EXPECT_TRUE(out->Write(data, 3));
  EXPECT_TRUE(out->Seek(5));
  EXPECT_TRUE(out->Write(data, 1));
  EXPECT_EQ(fs.Contents("b"), (Bytes{9, 8, 7, 0, 0, 9}));
  EXPECT_TRUE(out->Truncate(2));
  uint64_t size = 0;
  EXPECT_TRUE(out->Size(&size));
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(fs.openHandles(), 2);
  EXPECT_TRUE(out->Close());
  EXPECT_FALSE(out->Write(data, 1));  // closed
  out.reset();
  EXPECT_TRUE(fs.Rename("b", "a"));  // replaces a whole; the open reader keeps the old bytes
  EXPECT_EQ(fs.Contents("a"), (Bytes{9, 8}));
  EXPECT_FALSE(fs.Exists("b"));
  in.reset();
  EXPECT_EQ(fs.openHandles(), 0);
  EXPECT_TRUE(fs.Remove("a"));
  EXPECT_FALSE(fs.Exists("a"));
}

TEST(MemoryFileSystem, AliasesNameOneFile) {
  MemoryFileSystem fs;
  fs.SetFile("target", Bytes{1});
  fs.AddAlias("link", "target");
  EXPECT_TRUE(fs.SameFile("link", "target"));
  EXPECT_TRUE(fs.SameFile("target", "target"));
  EXPECT_FALSE(fs.SameFile("target", "other"));
  EXPECT_EQ(fs.ResolveLinks("link"), "target");
  EXPECT_EQ(fs.Stat("link").kind, PathInfo::Kind::kRegular);
  fs.Remove("target");
  EXPECT_FALSE(fs.SameFile("link", "target"));  // neither exists now
}

TEST(MemoryFileSystem, FaultsHitTheCountedCall) {
  MemoryFileSystem fs;
  fs.SetFile("a", Bytes(10, 1));
  fs.FailOp(FsOp::kRead, 2);
  fs.FailCall(5, FaultMode::kShort);
  std::unique_ptr<File> f = fs.OpenRead("a");  // call 1
  uint8_t buf[10];
  size_t got = 0;
  EXPECT_TRUE(f->Read(buf, 2, &got));          // call 2, read 1
  EXPECT_FALSE(f->Read(buf, 2, &got));         // call 3, read 2: fails
  EXPECT_EQ(got, 0u);
  EXPECT_TRUE(fs.faultHit());
  EXPECT_TRUE(f->Read(buf, 2, &got));          // call 4: the position did not move
  EXPECT_TRUE(f->Read(buf, 6, &got));          // call 5: short
  EXPECT_EQ(got, 3u);
  EXPECT_TRUE(f->Read(buf, 10, &got));         // goes on behind the short read
  EXPECT_EQ(got, 3u);
  EXPECT_EQ(fs.callCount(), 6u);
  EXPECT_EQ(fs.callCount(FsOp::kRead), 5u);
  EXPECT_EQ(fs.callLog().front(), FsOp::kOpenRead);
}

TEST(MemoryFileSystem, ShortWriteStoresPartThenFails) {
  MemoryFileSystem fs;
  fs.FailOp(FsOp::kWrite, 1, FaultMode::kShort);
  std::unique_ptr<File> f = fs.CreateExclusive("out", nullptr);
  const uint8_t data[] = {1, 2, 3, 4};
  EXPECT_FALSE(f->Write(data, 4));
  EXPECT_EQ(fs.Contents("out"), (Bytes{1, 2}));
}

}  // namespace
}  // namespace tessaro::testing
