<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CardBacks</name>
    <message>
        <source>Blue Lattice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red Diamonds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green Tartan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Celtic Rings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ocean Waves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sunburst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maple Leaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starry Night</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CardWords</name>
    <message>
        <source>spades</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>clubs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hearts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ace of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jack of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queen of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>King of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Ace of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Jack of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Queen of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the King of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameProgram</name>
    <message>
        <source>The table is shown at %1%: at %2%, as you last had it, it does not fit on this screen.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HandWords</name>
    <message>
        <source>You</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Hand %1&lt;/b&gt;, you deal.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Hand %1&lt;/b&gt;, %2 deals.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a seat and its bid</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bids: %1.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everybody passed: a misdeal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You go %1 on %2.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 goes %2 on %3.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;table cellspacing=4&gt;&lt;tr&gt;&lt;th align=left&gt;Seat&lt;/th&gt;&lt;th align=left&gt;Dealt&lt;/th&gt;&lt;th align=left&gt;Drew&lt;/th&gt;&lt;th align=left&gt;Played with&lt;/th&gt;&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kitty: %1.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a seat and its card</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trick %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &amp;rarr; &lt;b&gt;%1&lt;/b&gt; (top card)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &amp;rarr; &lt;b&gt;%1&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points taken: %1 and %2 %3, %4 and %5 %6. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bid is made: %1 points.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bidder goes down %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;br&gt;Score: %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LobbyWords</name>
    <message>
        <source>Connecting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the server to answer...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That seat has just been taken. Choose another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That table has just closed. Choose another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tables are waiting for players.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent something this program cannot read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Corvane Server refused that key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No server of that name was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server could not be reached.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The score is %1 for your side and %2 for theirs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(You sent lines too fast: some were not passed on.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Your line was shortened to fit.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has joined.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has disconnected.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordDialogs</name>
    <message>
        <source>%1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SayingWords</name>
    <message>
        <source>made in %1 of 10 deals.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it takes the trick in %1 of 10 deals.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>partner takes it in %1 of 10 deals.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is the only card allowed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it gives least away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I would go %1 on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I would go %1 on %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I would play %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I would play %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Count %n points.</source>
        <translation>
            <numerusform>Count %n point.</numerusform>
            <numerusform>Count %n points.</numerusform>
        </translation>
    </message>
    <message>
        <source>Bidder goes down %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You called for a misdeal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 calls for a misdeal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time ran out: %1 was played for you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time ran out: %1 were named trump for you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time ran out: a pass was bid for you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time ran out: your cards were thrown away for you.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re not easy!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>She&apos;s gone, b&apos;y.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>She&apos;s gone b&apos;y.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There&apos;s a whisk to the board.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have to follow suit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Deal to get started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I would pass.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I would name %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the Auto-discard button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I got nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for next hand...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your host has disconnected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host refused that bid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host refused that card.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not connect to Corvane Server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Corvane Server refused that key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost the connection to the Corvane Server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last of a list of cards</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a list of cards</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The computer played for you: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableSpeech</name>
    <message>
        <source>on the table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>played by you</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>played by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in the kitty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in your hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1&apos;s hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2, marked to throw away</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A card face down, %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, playable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bid: %1 by %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We %1, They %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No trump yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trump: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tricks</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n trick(s)</source>
        <translation>
            <numerusform>%n trick</numerusform>
            <numerusform>%n tricks</numerusform>
        </translation>
    </message>
    <message>
        <source>You pass.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You bid %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bids %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>you %n card(s)</source>
        <translation>
            <numerusform>you %n card</numerusform>
            <numerusform>you %n cards</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 %n card(s)</source>
        <translation>
            <numerusform>%1 %n card</numerusform>
            <numerusform>%1 %n cards</numerusform>
        </translation>
    </message>
    <message>
        <source>The draw: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You play %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 plays %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You take the trick.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes the trick.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The hand is over. %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your turn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::AboutBox</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Corvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cards, table and players by the Corvane team.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forty-fives for four: you and your partner against two opponents, at home or online.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::BidDialog</name>
    <message>
        <source>Choose Bid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pass</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::ButtonWindow</name>
    <message>
        <source>Corvane Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Auto-Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Deal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::HandHistoryWindow</name>
    <message>
        <source>Hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dealer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contract</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We took</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They took</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; &amp;Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hand History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 %3</source>
        <comment>bidder, bid, trump</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>misdeal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No hand has been dealt in this game yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::HandStepView</name>
    <message>
        <source>Hand %1: the deal, %2 dealing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trick %1: %2 led</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trick %1: %2 led, %3 took it with the top card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trick %1: %2 led, %3 took it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (dealer)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bid %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::LastTrick</name>
    <message>
        <source>&amp;Last Trick</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::LastTrickView</name>
    <message>
        <source>Last trick</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::LobbyDialog</name>
    <message>
        <source>South</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>West</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>North</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>East</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lobby&apos;s host, with :port if it is not the usual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Internet Key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remember key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the key for the next time; otherwise it is forgotten when the program ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Table:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tables Waiting for Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::OnlineSession</name>
    <message>
        <source>Corvane (Hosting)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::OptionsDialog</name>
    <message>
        <source>Slow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give &apos;er!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Must have 5 to bid 25</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Must follow suit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal cards face up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer players:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Master</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane speaks it from its next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The system&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not while playing online</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::RecordKeeping</name>
    <message>
        <source>Record games</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::RecordWindows</name>
    <message>
        <source>Hand &amp;History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Game &amp;Record...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Game Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game records (*.jsonl)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::RulesWindow</name>
    <message>
        <source>Rules of Corvane</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::ScorePlot</name>
    <message>
        <source>Score plot</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::StatisticsWindow</name>
    <message>
        <source>%1 of %2 (%3%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Record...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export as CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record is kept in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Recording is off (Options).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 The file cannot be used now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Games&lt;/h3&gt;Played %1, won %2: %3.&lt;br&gt;Longest winning run: %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Win rate by computer level&lt;/h3&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Win rate by partner&lt;/h3&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Bids made and set&lt;/h3&gt;&lt;table cellspacing=6&gt;&lt;tr&gt;&lt;th&gt;&lt;/th&gt;&lt;th&gt;made&lt;/th&gt;&lt;th&gt;set&lt;/th&gt;&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;Bid %1&lt;/td&gt;&lt;td align=right&gt;%2&lt;/td&gt;&lt;td align=right&gt;%3&lt;/td&gt;&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;/table&gt;&lt;h3&gt;Points&lt;/h3&gt;%1; on average we took %2 points a hand and they %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n hand(s)</source>
        <translation>
            <numerusform>%n hand</numerusform>
            <numerusform>%n hands</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>corvane::ui::TableView</name>
    <message>
        <source>High Bid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trump Suit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <comment>the dealer&apos;s mark</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dealer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a chat message here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane table</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::TableWindow</name>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Play Online...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pl&amp;ayers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Partner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Opponents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rules of Corvane...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Corvane...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rules page could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::TrumpDialog</name>
    <message>
        <source>Choose Trump</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spades</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;S</source>
        <comment>spades</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;D</source>
        <comment>diamonds</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;C</source>
        <comment>clubs</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;H</source>
        <comment>hearts</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>corvane::ui::WinRatePlot</name>
    <message>
        <source>Win rate over time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No finished games yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n finished game(s)</source>
        <translation>
            <numerusform>%n finished game</numerusform>
            <numerusform>%n finished games</numerusform>
        </translation>
    </message>
</context>
</TS>
