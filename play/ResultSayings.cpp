// The table of sayings for the results dialog.
#include "play/ResultSayings.h"

#include <array>

namespace jadeleaf {

namespace {

// Each saying must fit the dialog's two-line message box, so none may run
// much past two lines' worth of text; the tests measure them.
constexpr std::array<std::string_view, kResultSayingCount> kSayings = {
    // 0-9 percent.
    "Well, we all have started somewhere, didn't we?",
    "Below ten percent is no result yet, only a warm-up. Stretch your fingers and try a new game, seeker.",
    "A journey of a hundred and forty-four tiles begins with a single pair. Yours has begun. - Mountain wisdom.",
    "Even the tallest pagoda stood below ten percent of its height once. Keep building, young disciple.",
    "The Assistance option under Game | Preferences marks the sure bets for you. Even masters accept a helping hand.",
    "Tiles removed: below ten percent. Tiles left: plenty of opportunities. Shall we start a new game?",
    "He who stays below ten percent has the finest view of the climb ahead. - Saying of the valley folk.",
    "Do not despair at below ten percent, seeker: the table was merely shy today. Deal a new game and say hello again.",
    "Somewhere below ten percent, a first step was taken. Tomorrow it will be called the beginning. - A patient sage.",
    "Patience, disciple. Switch on the Assistance option under Game | Preferences and let the sure bets light your path.",

    // 10-19 percent.
    "Be not afraid of growing slowly. Be only afraid of standing still. - Old Chinese proverb.",
    "Ten percent cleared means ninety percent left to discover. Few explorers have so much ahead of them!",
    "The first ten percent are the hardest. The other ninety are merely a little longer. - Old tile-layer's wisdom.",
    "Wake up, sleepy disciple: with ten percent behind you, the tea is ready and the tiles are waiting.",
    "Many a great player rested at this stage before the light came on. A new game might just flip the switch.",
    "If the tiles will not come to you, let the Assistance option under Game | Preferences show you the sure bets.",
    "Beyond ten percent the fog begins to lift. Keep your eyes open, seeker, and the pairs will show themselves.",
    "Drop by drop, the river carves the canyon. Ten percent today, the valley tomorrow. - Proverb of the patient.",
    "So you have passed ten percent. The dragon on the table has noticed you and is slightly impressed.",
    "Ready for more than ten percent? Deal a new game while your fingers are still warm.",

    // 20-29 percent.
    "And with a well-placed kick, the master prepared his disciple for more. - From one who knows.",
    "Twenty percent is a fine first camp. Pitch your tent, drink some tea, then continue the climb, seeker.",
    "A disciple who reaches twenty percent has learned to see. Next comes learning to look ahead. - Teaching of the hills.",
    "From twenty percent, the peak looks far away. From the peak, twenty percent looks like the start of a fine story.",
    "Stuck among the tiles? The Assistance option under Game | Preferences points out sure bets: four free tiles of one kind.",
    "Not bad at all! Twenty percent shows that the tiles have started to trust you. Deal a new game and win them over.",
    "The wise player counts not the tiles left behind, but the pairs still waiting. - Proverb from the tea house.",
    "With twenty percent done, you have outgrown the beginners' bench. Welcome to the apprentices' table, disciple.",
    "Why stop at twenty percent when the dragon still has so many tiles to give? A new game is only a click away.",
    "Every pair in your twenty percent was a small victory. Collect enough of them and the big one follows by itself.",

    // 30-39 percent.
    "The range of thirty percent usually is where they all get thirsty. Cheers!",
    "Thirty percent, and the first rays of dawn fall on the table. Open your eyes a bit wider, seeker.",
    "At thirty percent the path forks: one way leads back to the valley, the other to a new game. Choose wisely.",
    "Hold on to your thirty percent, disciple. The mountain shows its secrets only to those who return. - Old climber's saying.",
    "Did you know? The Assistance option under Game | Preferences marks sure bets. Thirty percent could soon be forty.",
    "Good morning, seeker! Thirty percent is the hour when the sun rises and the tiles become visible.",
    "Three tenths of the table are yours. The other seven are only waiting for a better-rested player.",
    "A student asked: what lies beyond thirty percent? The master answered: more tiles, and another cup of tea.",
    "Nobody climbs the whole mountain in one day. Thirty percent is a respectable day's march. - Guide's advice.",
    "Very nice, thirty percent! Now shuffle your thoughts, deal a new game, and see how far the dawn will carry you.",

    // 40-49 percent.
    "Quite good for a start: Now that you have made forty percent, you only lack sixty to win.",
    "Forty percent is almost half, and almost half is nearly there. Keep counting, seeker: the sum will come out right.",
    "You can do better than forty percent, and you know it. The tiles know it too, so deal a new game and show them.",
    "Halfway is just a few pairs away. At forty percent, a single clever move can change the whole picture.",
    "Wise is the player who looks for sure bets. Wiser still is one who lets the Assistance option under Game | Preferences find them.",
    "The disciple stood at forty percent and sighed. The master smiled and dealt another game. - Tale of the tea house.",
    "Sixty percent of the tiles are still smiling at you after your forty. Smile back, and try a new game.",
    "Nearly half the table conquered! Another few pairs and the better half will be yours.",
    "Up to forty percent you played with your hands. Beyond it, you will need your head as well. - Mountain school.",
    "Do not rest on forty percent, seeker: the stone that rolls down the hill collects no tiles.",

    // 50-59 percent.
    "Fifty percent and beyond is where the air gets thinner. Keep moving, young expert.",
    "Half the table is yours! At fifty percent, the tiles have finally started to take you seriously.",
    "More than fifty percent, and the summit starts to show between the clouds. Keep climbing, mountaineer.",
    "With fifty percent behind you, the second half is only the first half once more. - Arithmetic of the wise.",
    "Congratulations, seeker: past fifty percent you officially belong to the winning half.",
    "Glass half full or glass half empty? At fifty percent, the wise player simply deals a new game and fills it up.",
    "Feeling the thin air above fifty percent? The Assistance option under Game | Preferences marks the sure bets.",
    "A win is a win, and fifty percent is a win. Imagine how a hundred would feel!",
    "The master said: the first half is skill, the second half is patience. Both will grow. - Notes of a disciple.",
    "Onward from fifty percent! The air is thin, but the view is worth every breath. Try another game.",

    // 60-69 percent.
    "Come on, now that you have made sixty percent, you only need another forty to reach the top.",
    "Sixty percent! Now that it works, reach out for the rest. The top is nearer than it looks.",
    "A climber at sixty percent no longer asks if, only when. - Wisdom of the rope team.",
    "Well done, disciple: sixty percent shows that the tiles begin to follow your lead.",
    "The last forty percent are made of the same tiles as the first sixty. No need to fear them.",
    "Only a few more pairs, and sixty becomes seventy. Deal a new game and let the numbers grow.",
    "In the tea house they say: who clears sixty percent today, clears the whole table tomorrow.",
    "Your hands have found the rhythm. Keep it, seeker, and the remaining tiles will dance to it.",
    "Higher and higher! At sixty percent the valley lies far below and the clouds are at eye level.",
    "Promising indeed. One more game like this, with a little more luck, and the summit says hello.",

    // 70-79 percent.
    "Practice, oh prospective winner, and nothing shall separate you from 100 percent.",
    "Seventy percent, and delight is in sight. Keep your eyes on it, mountaineer, and your feet on the path.",
    "With seventy percent you have left the crowd behind. Only the determined climb beyond this point.",
    "A disciple at seventy percent asked for the secret. The master replied: there is none, only the next pair.",
    "Three quarters of the way up, more or less. The summit is already waving to you.",
    "Not every seeker gets to seventy percent. You did. Now deal a new game and get a little further.",
    "The higher the climb, the sweeter the rest. Seventy percent deserves a short pause, and then onward!",
    "Keep advancing! Beyond seventy percent, every pair removed counts twice for the heart.",
    "He who reaches seventy percent has outgrown the tea house bench and may sit by the window. - House rule.",
    "Delight is near. A handful of sure bets and a bit of patience will carry you past eighty.",

    // 80-89 percent.
    "Up here, in the higher regions, people are always very fond of new arrivals. Keep on moving, mountaineer!",
    "Eighty percent! The air up here is thin, but the company is excellent. Welcome among the few.",
    "Very promising, indeed. At eighty percent, the summit can already hear your footsteps.",
    "Only a few tiles stand between you and glory. Next time, they will step aside. - Wisdom of the heights.",
    "The master nodded at eighty percent. Masters rarely nod, disciple, so take it as high praise.",
    "Breathe slowly, mountaineer: above eighty percent, every pair must be chosen with care.",
    "So near and yet so far! Deal a new game, and let eighty percent be the stepping stone to a hundred.",
    "From eighty percent you can see the top. From the top, you will see the whole world. Keep going!",
    "Few climbers get this far. Fewer still stay here for long. Try another game, and keep on moving.",
    "A seeker at eighty percent is no longer seeking, but finding. - Saying of the high pastures.",

    // 90-99 percent.
    "So close to the top you can certainly smell the sweet odor of victory.",
    "Ninety percent and more! The summit is an arm's length away. Next time, reach out a little further.",
    "Oh dear, only a few tiles left! They must have been glued to the table. Try again: they will come loose.",
    "Almost there, mountaineer. The last pairs are the heaviest, but also the most rewarding to carry.",
    "The master smiled: so close to the top, the tiles test not your eyes but your patience. - Lesson of the summit.",
    "Just one more game, seeker. Perfection is merely ninety-some percent with a happy ending.",
    "A few tiles short of perfection is still far above the clouds. Deal again, and the last pairs will fall.",
    "Close enough to touch the sky, yet not quite there. The next game may well carry you over the edge.",
    "Remember this game: it was the rehearsal. The performance with a cleared table comes next.",
    "Nearly every tile is gone. The dragon on the table is trembling, and it has every reason to.",

    // 100 percent.
    "Only in the Highlands can you perceive the quiescense of the lower regions. Welcome, up here.",
    "Excellent! All 144 tiles removed, the table is clear and the summit is yours. Enjoy the view, master.",
    "The table is empty, and so is every excuse. Well played, and welcome among the masters.",
    "One hundred percent! The disciple has become the master. Now the master may deal a new game for fun.",
    "A cleared table is a quiet table. Listen closely, and you will hear the tiles applauding.",
    "From the summit every road leads down, except the one to the next game. - Wisdom of the Highlands.",
    "Perfection achieved. The dragon bows before you and asks, politely, for a rematch.",
    "Congratulations, master of the tiles! Not one pair was left behind. The mountain salutes you.",
    "Not a single tile remains. Somewhere, an old master nods quietly and puts the kettle on.",
    "You made it all the way up! Savor the moment, then see whether the next table is just as kind.",
};

}  // namespace

std::string_view ResultSaying(int number) {
    if (number < 0 || number >= kResultSayingCount) return {};
    return kSayings[static_cast<std::size_t>(number)];
}

}  // namespace jadeleaf
