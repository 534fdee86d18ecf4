// The music's rules on fake media players: the choice of player, the playlist, the start
// index, and how each player role's end is found.

#include "music/BackgroundMusic.h"

#include <gtest/gtest.h>

#include "base/Files.h"
#include "music/PlayerChoice.h"
#include "support/FakeMediaPlayers.h"
#include "support/FakePlatform.h"
#include "support/FakeTimers.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::FakeMediaPlayers;
using test::FakeTimers;
using test::TempFolder;
using Plays = std::vector<std::string>;

TEST(PlayerChoiceTest, ByFormAndExtension) {
    TempFolder folder;
    const std::string mp3 = folder.Write("song.mp3", "x");
    const std::string upper_mp3 = folder.Write("SONG2.MP3", "x");
    const std::string wav = folder.Write("song.wav", "x");
    struct Case {
        std::string item;
        bool media_player_mp3;
        MusicPlayerKind expected;
    };
    const Case cases[] = {
        {mp3, true, MusicPlayerKind::Mci},
        {mp3, false, MusicPlayerKind::Mpeg},
        {upper_mp3, false, MusicPlayerKind::Mpeg},
        {wav, true, MusicPlayerKind::Mci},
        {wav, false, MusicPlayerKind::Mci},
        {folder / "missing.mp3", false, MusicPlayerKind::None},
        {"rtsp://media.example/live", true, MusicPlayerKind::RealMedia},
        {"http://media.example/show.ram", true, MusicPlayerKind::RealMedia},
        {" HTTP://MEDIA.EXAMPLE/SHOW.RA ", true, MusicPlayerKind::RealMedia},
        {"http://media.example/song.mp3", false, MusicPlayerKind::MediaPlayer},
        {"http://media.example/list.asx", true, MusicPlayerKind::MediaPlayer},
        // The only dot after the host lies in a folder name.
        {"http://media/clips.rm/latest", true, MusicPlayerKind::MediaPlayer},
        {"http://media.example/", true, MusicPlayerKind::MediaPlayer},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseMusicPlayer(c.item, c.media_player_mp3), c.expected)
            << c.item << " MediaPlayerMp3=" << c.media_player_mp3;
    }
}

TEST(NextMusicItemTest, InOrderAndAtRandomWithAndWithoutLoop) {
    struct Case {
        bool random;
        bool loop;
        int non_empty_before_end;  // picks before the first empty one; -1 for none in 10
    };
    const Case cases[] = {{false, false, 3}, {false, true, -1}, {true, false, 3}, {true, true, -1}};
    for (const Case& c : cases) {
        TMyMusicSet set;
        RandomSource random;
        SetPlaylist(set, {"a", "b", "c"}, c.random, c.loop, random);
        std::vector<std::string> picks;
        for (int i = 0; i < 10; ++i) {
            NextMusicItem(set, random);
            picks.push_back(set.current_item);
        }
        const auto first_empty = std::find(picks.begin(), picks.end(), "");
        const int before_end =
            first_empty == picks.end() ? -1 : static_cast<int>(first_empty - picks.begin());
        EXPECT_EQ(before_end, c.non_empty_before_end)
            << "random " << c.random << " loop " << c.loop;
        if (!c.random) {
            EXPECT_EQ(Plays(picks.begin(), picks.begin() + 4),
                      (Plays{"a", "b", "c", c.loop ? "a" : ""}));
        }
    }
}

class BackgroundMusicTest : public ::testing::Test {
  protected:
    BackgroundMusicTest() {
        settings.Music = {a, b, c};
        settings.MediaPlayerMp3 = true;
    }

    BackgroundMusic& Music(bool package_present) {
        music = std::make_unique<BackgroundMusic>(
            MusicEnvironment{settings,
                             package_present,
                             [](std::string& item) {
                                 return item.find("://") != std::string::npos || FileExists(item);
                             },
                             [this] { ++provided; },
                             random,
                             players,
                             loader,
                             {"/system/"},
                             timers.Factory()});
        return *music;
    }
    // Ends what plays now, as its player reports it.
    void EndPlaying(MediaPlayState how = MediaPlayState::Ended) {
        FakeMediaPlayers::PlayerState* playing = players.Playing();
        ASSERT_NE(playing, nullptr);
        FakeMediaPlayers::Finish(*playing, how);
    }

    TempFolder folder;
    const std::string a = folder.Write("a.wav", "x");
    const std::string b = folder.Write("b.wav", "x");
    const std::string c = folder.Write("c.wav", "x");
    TSaverSetting settings;
    RandomSource random;
    FakeMediaPlayers players;
    test::FakeLibraryLoader loader;
    FakeTimers timers;
    int provided = 0;
    std::unique_ptr<BackgroundMusic> music;
};

TEST_F(BackgroundMusicTest, WithAPackageEachEndStartsTheNextItemThenSilenceOrTheFirstAgain) {
    for (bool loop : {false, true}) {
        settings.LoopMusic = loop;
        players.plays->clear();
        Music(true).StartMusic();
        EXPECT_GT(provided, 0) << "the MPEG audio library is provided before music plays";
        for (int i = 0; i < 3; ++i) {
            EndPlaying();
        }
        EXPECT_EQ(*players.plays, (loop ? Plays{a, b, c, a} : Plays{a, b, c})) << loop;
        EXPECT_TRUE(music->MusicSet().playlist.empty()) << "the player's own list stays empty";
        timers.TickEnabled();  // the poll sees nothing more
        EXPECT_EQ(players.plays->size(), loop ? 4u : 3u);
    }
}

TEST_F(BackgroundMusicTest, EveryStartMovesTheStartIndexOn) {
    BackgroundMusic& background = Music(true);
    background.StartMusic();
    background.StartMusic();  // a second show window
    EXPECT_EQ(*players.plays, (Plays{a, b}));
    EXPECT_EQ(players.Alive(), 1) << "the first item's player was released";
    EXPECT_EQ(background.StartIndex(), 1);
}

TEST_F(BackgroundMusicTest, AMissingFileEndsTheMusicWithAPackage) {
    settings.Music = {folder / "missing.wav", b};
    Music(true).StartMusic();
    EXPECT_TRUE(players.made.empty());
    timers.TickEnabled();
    EXPECT_TRUE(players.plays->empty());
}

TEST_F(BackgroundMusicTest, NothingPlaysWithoutMusicOrWithAnEmptyList) {
    settings.PlayMusic = false;
    Music(true).StartMusic();
    settings.PlayMusic = true;
    settings.Music.clear();
    Music(true).StartMusic();
    EXPECT_TRUE(players.made.empty());
    EXPECT_EQ(provided, 0);
}

TEST_F(BackgroundMusicTest, WithoutAPackageThePollRunsTheOwnPlaylist) {
    settings.LoopMusic = false;
    settings.Music = {a, folder / "missing.wav", "http://media.example/c.mp3"};
    BackgroundMusic& background = Music(false);
    background.StartMusic();
    EXPECT_EQ(settings.Music, (Plays{a, "http://media.example/c.mp3"}))
        << "a rejected item leaves the Music list";
    EXPECT_EQ(provided, 0);
    EndPlaying();  // the completion notification does nothing here
    EXPECT_EQ(players.plays->size(), 1u);
    timers.TickEnabled();
    EXPECT_TRUE(background.HasMediaPlayer());
    EXPECT_FALSE(background.HasMciPlayer());
    EndPlaying();
    timers.TickEnabled();
    EXPECT_FALSE(background.HasMediaPlayer());
    EXPECT_EQ(*players.plays, (Plays{a, "http://media.example/c.mp3"}));
    EXPECT_EQ(background.MusicSet().position, -1) << "the list is done";
}

// How the poll finds the end of an address's play, for both address roles.
TEST_F(BackgroundMusicTest, ThePollEndsAnAddressAtItsEndOrFailureOnly) {
    struct Case {
        const char* why;
        MediaPlayState state;
        int64_t position;
        int64_t length;
        bool ends;
    };
    const Case cases[] = {
        {"still opening", MediaPlayState::Opening, 0, 0, false},
        {"playing", MediaPlayState::Playing, 200, 500, false},
        {"a stream without end", MediaPlayState::Playing, 90000, 0, false},
        {"played to its end", MediaPlayState::Ended, 500, 500, true},
        {"failed (404, not audio)", MediaPlayState::Failed, 0, 0, true},
    };
    for (const char* address : {"http://media.example/x.mp3", "http://media.example/x.rm"}) {
        for (const Case& c : cases) {
            settings.Music = {address, b};
            Music(false).StartMusic();
            FakeMediaPlayers::PlayerState& state = *players.made.back();
            state.state = c.state;
            state.position = c.position;
            state.length = c.length;
            players.plays->clear();
            timers.TickEnabled();
            EXPECT_EQ(!players.plays->empty(), c.ends) << address << ": " << c.why;
        }
    }
}

TEST_F(BackgroundMusicTest, TheMciPollSeesAFailedOrEndedFileButNotOneThatPlays) {
    settings.LoopMusic = false;
    BackgroundMusic& background = Music(false);
    background.StartMusic();
    FakeMediaPlayers::PlayerState& state = *players.made.back();
    state.position = 498;  // a player never reports a position within 2 ms of the end
    timers.TickEnabled();
    EXPECT_EQ(players.plays->size(), 1u);
    state.state = MediaPlayState::Failed;
    timers.TickEnabled();
    EXPECT_EQ(*players.plays, (Plays{a, b}));
}

TEST_F(BackgroundMusicTest, StopReleasesThePlayersAndTheMpegPlayerStays) {
    settings.MediaPlayerMp3 = false;
    const std::string mp3 = folder.Write("d.mp3", "x");
    settings.Music = {mp3, a};
    BackgroundMusic& background = Music(true);
    background.StartMusic();
    ASSERT_NE(background.MpegPlayer(), nullptr);
    EXPECT_EQ(loader.asked.front(), "/system/MPEGDLL.DLL");
    EXPECT_TRUE(players.made.empty()) << "the library failed to load: nothing plays";
    background.StartMusic();
    EXPECT_TRUE(background.HasMciPlayer());
    background.ClearPlaylist();
    background.StopMusic();
    EXPECT_FALSE(background.HasMciPlayer());
    EXPECT_EQ(players.Alive(), 0);
    EXPECT_NE(background.MpegPlayer(), nullptr);
    EXPECT_TRUE(background.MusicSet().current_item.empty());
}

}  // namespace
}  // namespace saver
