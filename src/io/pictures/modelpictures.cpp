#include "io/pictures/modelpictures.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "document/bandedpicture.h"
#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "platform/pictures/pngencoder.h"

namespace {

// Smaller pictures are drawn on the calling thread alone: threads cost more than they save.
constexpr qint64 kPixelsForThreads = 1 << 19;
// Bands per thread: enough that a thread finishing early finds more work.
constexpr int kBandsPerThread = 4;

int Threads(QSize size)
{
  if (static_cast<qint64>(size.width()) * size.height() < kPixelsForThreads) return 1;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

QImage WhitePicture(QSize size)
{
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// A picture whose bands whiten their own rows when they are drawn. Its memory is asked for
// in large pages where the system offers them: the first touch of a picture of many
// megapixels otherwise costs as much as drawing it.
QImage UnfilledPicture(QSize size)
{
  const QSize s = size.expandedTo(QSize(1, 1));
#if defined(__linux__)
  constexpr std::size_t kLargePage = std::size_t{2} << 20;
  const std::size_t stride = static_cast<std::size_t>(s.width()) * 4;
  const std::size_t bytes =
      (stride * static_cast<std::size_t>(s.height()) + kLargePage - 1) / kLargePage * kLargePage;
  if (bytes >= 4 * kLargePage) {
    if (void* memory = std::aligned_alloc(kLargePage, bytes)) {
      madvise(memory, bytes, MADV_HUGEPAGE);
      QImage image(static_cast<uchar*>(memory), s.width(), s.height(),
                   static_cast<qsizetype>(stride), QImage::Format_RGB32, std::free, memory);
      if (!image.isNull()) return image;
      std::free(memory);
    }
  }
#endif
  return QImage(s, QImage::Format_RGB32);
}

// Gives the memory of rows [top, bottom) of an image back to the system (the whole pages
// inside them); reading them afterwards gives zeros.
void ReleaseRows(QImage& image, int top, int bottom)
{
#if defined(__linux__)
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto base = reinterpret_cast<std::uintptr_t>(image.constBits());
  const auto stride = static_cast<std::uintptr_t>(image.bytesPerLine());
  const std::uintptr_t begin =
      (base + stride * static_cast<std::uintptr_t>(top) + page - 1) / page * page;
  const std::uintptr_t end = (base + stride * static_cast<std::uintptr_t>(bottom)) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
#else
  (void)image;
  (void)top;
  (void)bottom;
#endif
}

// Draws the bands and packs the pieces on a few threads. A band is drawn once every band
// before it has been started; a piece is packed once the bands holding its rows and the row
// above them are drawn. The bands are the pieces, so a piece waits for at most two bands.
// A band's rows are given back once its piece and the next (which reads its last row) are
// packed: a picture of tens of megapixels is then never whole in memory.
class TOverlappedPng {
 public:
  TOverlappedPng(TBandedPicture& bands, TPngPieces& pieces, QImage& image)
      : bands_(bands),
        pieces_(pieces),
        image_(image),
        drawn_(static_cast<std::size_t>(bands.BandCount())),
        packed_(static_cast<std::size_t>(pieces.Count())),
        finished_(static_cast<std::size_t>(pieces.Count()))
  {
  }

  void Run(int threads)
  {
    std::vector<std::thread> workers;
    for (int i = 1; i < threads; ++i)
      workers.emplace_back([this] { Work(); });
    Work();
    for (std::thread& worker : workers)
      worker.join();
  }

 private:
  bool Ready(int piece) const
  {
    const auto k = static_cast<std::size_t>(piece);
    return !packed_[k] && drawn_[k] == 2 && (piece == 0 || drawn_[k - 1] == 2);
  }

  void Work()
  {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      int piece = -1;
      for (int i = 0; i < pieces_.Count() && piece < 0; ++i)
        if (Ready(i)) piece = i;
      if (piece >= 0) {
        packed_[static_cast<std::size_t>(piece)] = true;
        lock.unlock();
        pieces_.Pack(piece);
        lock.lock();
        finished_[static_cast<std::size_t>(piece)] = true;
        ++packedCount_;
        ReleasePacked(lock);
        changed_.notify_all();
        continue;
      }
      if (nextBand_ < bands_.BandCount()) {
        const int band = nextBand_++;
        drawn_[static_cast<std::size_t>(band)] = 1;
        lock.unlock();
        bands_.DrawBand(band);
        lock.lock();
        drawn_[static_cast<std::size_t>(band)] = 2;
        changed_.notify_all();
        continue;
      }
      if (packedCount_ == pieces_.Count()) return;
      changed_.wait(lock);
    }
  }

  // Called with the lock held; gives it up while the memory goes.
  void ReleasePacked(std::unique_lock<std::mutex>& lock)
  {
    const int count = pieces_.Count();
    const int from = released_;
    while (released_ < count && finished_[static_cast<std::size_t>(released_)] &&
           (released_ + 1 == count || finished_[static_cast<std::size_t>(released_) + 1]))
      ++released_;
    if (released_ == from) return;
    const int top = bands_.BandTop(from);
    const int bottom = bands_.BandBottom(released_ - 1);
    lock.unlock();
    ReleaseRows(image_, top, bottom);
    lock.lock();
  }

  TBandedPicture& bands_;
  TPngPieces& pieces_;
  QImage& image_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> drawn_;      // 0 waiting, 1 being drawn, 2 drawn
  std::vector<bool> packed_;    // taken by a thread
  std::vector<bool> finished_;  // packed
  int released_ = 0;            // bands before this one are given back
  int nextBand_ = 0;
  int packedCount_ = 0;
};

}  // namespace

QImage TModelPictures::Picture(TModelDocument& document, QSize size)
{
  const int threads = Threads(size);
  if (threads == 1) {
    QImage image = WhitePicture(size);
    TModelPainter(document).RenderToBitmap(image);
    return image;
  }
  QImage image = UnfilledPicture(size);
  TBandedPicture picture(document, image, threads * kBandsPerThread);
  picture.SetWhiteBackground(true);
  picture.Draw(threads);
  return image;
}

QByteArray TModelPictures::Png(TModelDocument& document, QSize size)
{
  const int threads = Threads(size);
  if (threads == 1) return TPngEncoder::Encode(Picture(document, size));
  QImage image = UnfilledPicture(size);
  TBandedPicture picture(document, image, threads * kBandsPerThread);
  picture.SetWhiteBackground(true);
  if (!picture.Shareable() || picture.BandCount() == 0) {
    picture.Draw(threads);
    return TPngEncoder::Encode(image);
  }
  TPngPieces pieces(image, picture.BandCount());
  for (int i = 0; i < pieces.Count(); ++i) {
    if (pieces.FirstRow(i) != picture.BandTop(i)) {
      picture.Draw(threads);
      return TPngEncoder::Encode(image);
    }
  }
  TOverlappedPng(picture, pieces, image).Run(threads);
  return pieces.Finish();
}
