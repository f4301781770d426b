<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA">
<context>
    <name>CardBacks</name>
    <message>
        <source>Blue Lattice</source>
        <translation>Treillis bleu</translation>
    </message>
    <message>
        <source>Red Diamonds</source>
        <translation>Losanges rouges</translation>
    </message>
    <message>
        <source>Green Tartan</source>
        <translation>Tartan vert</translation>
    </message>
    <message>
        <source>Celtic Rings</source>
        <translation>Anneaux celtiques</translation>
    </message>
    <message>
        <source>Ocean Waves</source>
        <translation>Vagues de l&apos;océan</translation>
    </message>
    <message>
        <source>Sunburst</source>
        <translation>Soleil</translation>
    </message>
    <message>
        <source>Maple Leaves</source>
        <translation>Feuilles d&apos;érable</translation>
    </message>
    <message>
        <source>Starry Night</source>
        <translation>Nuit étoilée</translation>
    </message>
</context>
<context>
    <name>CardWords</name>
    <message>
        <source>spades</source>
        <translation>pique</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>carreau</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>trèfle</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>cœur</translation>
    </message>
    <message>
        <source>Ace of %1</source>
        <translation>As de %1</translation>
    </message>
    <message>
        <source>Jack of %1</source>
        <translation>Valet de %1</translation>
    </message>
    <message>
        <source>Queen of %1</source>
        <translation>Dame de %1</translation>
    </message>
    <message>
        <source>King of %1</source>
        <translation>Roi de %1</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>the Ace of %1</source>
        <translation>l&apos;As de %1</translation>
    </message>
    <message>
        <source>the Jack of %1</source>
        <translation>le Valet de %1</translation>
    </message>
    <message>
        <source>the Queen of %1</source>
        <translation>la Dame de %1</translation>
    </message>
    <message>
        <source>the King of %1</source>
        <translation>le Roi de %1</translation>
    </message>
    <message>
        <source>the %1 of %2</source>
        <translation>le %1 de %2</translation>
    </message>
</context>
<context>
    <name>GameProgram</name>
    <message>
        <source>The table is shown at %1%: at %2%, as you last had it, it does not fit on this screen.</source>
        <translation>La table est affichée à %1&#xa0;%&#xa0;: à %2&#xa0;%, comme vous l&apos;aviez la dernière fois, elle ne tient pas sur cet écran.</translation>
    </message>
</context>
<context>
    <name>HandWords</name>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>&lt;b&gt;Hand %1&lt;/b&gt;, you deal.&lt;br&gt;</source>
        <translation>&lt;b&gt;Main %1&lt;/b&gt;, vous donnez.&lt;br&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Hand %1&lt;/b&gt;, %2 deals.&lt;br&gt;</source>
        <translation>&lt;b&gt;Main %1&lt;/b&gt;, %2 donne.&lt;br&gt;</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a seat and its bid</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Bids: %1.&lt;br&gt;</source>
        <translation>Mises&#xa0;: %1.&lt;br&gt;</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>aucune encore</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Everybody passed: a misdeal.</source>
        <translation>Tout le monde a passé&#xa0;: maldonne.</translation>
    </message>
    <message>
        <source>You go %1 on %2.&lt;br&gt;</source>
        <translation>Vous misez %1 en %2.&lt;br&gt;</translation>
    </message>
    <message>
        <source>%1 goes %2 on %3.&lt;br&gt;</source>
        <translation>%1 mise %2 en %3.&lt;br&gt;</translation>
    </message>
    <message>
        <source>&lt;table cellspacing=4&gt;&lt;tr&gt;&lt;th align=left&gt;Seat&lt;/th&gt;&lt;th align=left&gt;Dealt&lt;/th&gt;&lt;th align=left&gt;Drew&lt;/th&gt;&lt;th align=left&gt;Played with&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;table cellspacing=4&gt;&lt;tr&gt;&lt;th align=left&gt;Place&lt;/th&gt;&lt;th align=left&gt;Reçu&lt;/th&gt;&lt;th align=left&gt;Pigé&lt;/th&gt;&lt;th align=left&gt;Joué avec&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>not seen</source>
        <translation>pas vu</translation>
    </message>
    <message>
        <source>Kitty: %1.&lt;br&gt;</source>
        <translation>Veuve&#xa0;: %1.&lt;br&gt;</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a seat and its card</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Trick %1: %2</source>
        <translation>Levée %1&#xa0;: %2</translation>
    </message>
    <message>
        <source> &amp;rarr; &lt;b&gt;%1&lt;/b&gt; (top card)</source>
        <translation> &amp;rarr; &lt;b&gt;%1&lt;/b&gt; (grosse carte)</translation>
    </message>
    <message>
        <source> &amp;rarr; &lt;b&gt;%1&lt;/b&gt;</source>
        <translation> &amp;rarr; &lt;b&gt;%1&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Points taken: %1 and %2 %3, %4 and %5 %6. </source>
        <translation>Points faits&#xa0;: %1 et %2 %3, %4 et %5 %6. </translation>
    </message>
    <message>
        <source>The bid is made: %1 points.</source>
        <translation>La mise est faite&#xa0;: %1 points.</translation>
    </message>
    <message>
        <source>The bidder goes down %1.</source>
        <translation>Le preneur cale de %1.</translation>
    </message>
    <message>
        <source>&lt;br&gt;Score: %1 to %2.</source>
        <translation>&lt;br&gt;Pointage&#xa0;: %1 à %2.</translation>
    </message>
</context>
<context>
    <name>LobbyWords</name>
    <message>
        <source>Connecting...</source>
        <translation>Connexion...</translation>
    </message>
    <message>
        <source>Waiting for the server to answer...</source>
        <translation>En attente de la réponse du serveur...</translation>
    </message>
    <message>
        <source>That seat has just been taken. Choose another.</source>
        <translation>Cette place vient d&apos;être prise. Choisissez-en une autre.</translation>
    </message>
    <message>
        <source>That table has just closed. Choose another.</source>
        <translation>Cette table vient de fermer. Choisissez-en une autre.</translation>
    </message>
    <message>
        <source>No tables are waiting for players.</source>
        <translation>Aucune table n&apos;attend de joueurs.</translation>
    </message>
    <message>
        <source>The server did not answer.</source>
        <translation>Le serveur n&apos;a pas répondu.</translation>
    </message>
    <message>
        <source>The server sent something this program cannot read.</source>
        <translation>Le serveur a envoyé quelque chose que ce programme ne peut pas lire.</translation>
    </message>
    <message>
        <source>The Corvane Server refused that key.</source>
        <translation>Le serveur Corvane a refusé cette clé.</translation>
    </message>
    <message>
        <source>The server refused the connection.</source>
        <translation>Le serveur a refusé la connexion.</translation>
    </message>
    <message>
        <source>No server of that name was found.</source>
        <translation>Aucun serveur de ce nom n&apos;a été trouvé.</translation>
    </message>
    <message>
        <source>The server could not be reached.</source>
        <translation>Le serveur est injoignable.</translation>
    </message>
    <message>
        <source>The score is %1 for your side and %2 for theirs.</source>
        <translation>Le pointage est de %1 pour votre équipe et de %2 pour la leur.</translation>
    </message>
    <message>
        <source>(You sent lines too fast: some were not passed on.)</source>
        <translation>(Vous avez envoyé des lignes trop vite&#xa0;: certaines n&apos;ont pas été transmises.)</translation>
    </message>
    <message>
        <source>(Your line was shortened to fit.)</source>
        <translation>(Votre ligne a été raccourcie.)</translation>
    </message>
    <message>
        <source>%1 has joined.</source>
        <translation>%1 s&apos;est joint à la table.</translation>
    </message>
    <message>
        <source>%1 has disconnected.</source>
        <translation>%1 s&apos;est déconnecté.</translation>
    </message>
</context>
<context>
    <name>RecordDialogs</name>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 n&apos;a pas pu être écrit.</translation>
    </message>
</context>
<context>
    <name>SayingWords</name>
    <message>
        <source>made in %1 of 10 deals.</source>
        <translation>réussie dans %1 donnes sur 10.</translation>
    </message>
    <message>
        <source>it takes the trick in %1 of 10 deals.</source>
        <translation>elle prend la levée dans %1 donnes sur 10.</translation>
    </message>
    <message>
        <source>partner takes it in %1 of 10 deals.</source>
        <translation>le partenaire la prend dans %1 donnes sur 10.</translation>
    </message>
    <message>
        <source>it is the only card allowed.</source>
        <translation>c&apos;est la seule carte permise.</translation>
    </message>
    <message>
        <source>it gives least away.</source>
        <translation>elle donne le moins.</translation>
    </message>
    <message>
        <source>I would go %1 on %2.</source>
        <translation>Je miserais %1 en %2.</translation>
    </message>
    <message>
        <source>I would go %1 on %2: %3</source>
        <translation>Je miserais %1 en %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>I would play %1.</source>
        <translation>Je jouerais %1.</translation>
    </message>
    <message>
        <source>I would play %1: %2</source>
        <translation>Je jouerais %1&#xa0;: %2</translation>
    </message>
    <message numerus="yes">
        <source>Count %n points.</source>
        <translation>
            <numerusform>On compte %n point.</numerusform>
            <numerusform>On compte %n points.</numerusform>
        </translation>
    </message>
    <message>
        <source>Bidder goes down %1.</source>
        <translation>Le preneur cale de %1.</translation>
    </message>
    <message>
        <source>You called for a misdeal.</source>
        <translation>Vous avez déclaré une maldonne.</translation>
    </message>
    <message>
        <source>%1 calls for a misdeal.</source>
        <translation>%1 déclare une maldonne.</translation>
    </message>
    <message>
        <source>Time ran out: %1 was played for you.</source>
        <translation>Temps écoulé&#xa0;: on a joué %1 pour vous.</translation>
    </message>
    <message>
        <source>Time ran out: %1 were named trump for you.</source>
        <translation>Temps écoulé&#xa0;: on a fait %1 atout pour vous.</translation>
    </message>
    <message>
        <source>Time ran out: a pass was bid for you.</source>
        <translation>Temps écoulé&#xa0;: on a passé pour vous.</translation>
    </message>
    <message>
        <source>Time ran out: your cards were thrown away for you.</source>
        <translation>Temps écoulé&#xa0;: on a jeté vos cartes pour vous.</translation>
    </message>
    <message>
        <source>You&apos;re not easy!</source>
        <translation>T&apos;es pas battable!</translation>
    </message>
    <message>
        <source>She&apos;s gone, b&apos;y.</source>
        <translation>C&apos;est fini, mon chum.</translation>
    </message>
    <message>
        <source>She&apos;s gone b&apos;y.</source>
        <translation>C&apos;est fini mon chum.</translation>
    </message>
    <message>
        <source>There&apos;s a whisk to the board.</source>
        <translation>De l&apos;atout sur la table, faut en mettre.</translation>
    </message>
    <message>
        <source>You have to follow suit.</source>
        <translation>Il faut fournir.</translation>
    </message>
    <message>
        <source>Click Deal to get started.</source>
        <translation>Cliquez sur Donner pour commencer.</translation>
    </message>
    <message>
        <source>I would pass.</source>
        <translation>Je passerais.</translation>
    </message>
    <message>
        <source>I would name %1.</source>
        <translation>Je ferais %1 atout.</translation>
    </message>
    <message>
        <source>Use the Auto-discard button.</source>
        <translation>Servez-vous du bouton Écart auto.</translation>
    </message>
    <message>
        <source>I got nothing.</source>
        <translation>J&apos;ai rien pour vous.</translation>
    </message>
    <message>
        <source>Waiting for next hand...</source>
        <translation>En attendant la prochaine main...</translation>
    </message>
    <message>
        <source>Your host has disconnected.</source>
        <translation>Votre hôte s&apos;est déconnecté.</translation>
    </message>
    <message>
        <source>The host refused that bid.</source>
        <translation>L&apos;hôte a refusé cette mise.</translation>
    </message>
    <message>
        <source>The host refused that card.</source>
        <translation>L&apos;hôte a refusé cette carte.</translation>
    </message>
    <message>
        <source>Could not connect to Corvane Server.</source>
        <translation>Impossible de se connecter au serveur Corvane.</translation>
    </message>
    <message>
        <source>The Corvane Server refused that key.</source>
        <translation>Le serveur Corvane a refusé cette clé.</translation>
    </message>
    <message>
        <source>Lost the connection to the Corvane Server.</source>
        <translation>La connexion au serveur Corvane est perdue.</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>We</source>
        <translation>Nous</translation>
    </message>
    <message>
        <source>They</source>
        <translation>Eux</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Passe</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last of a list of cards</comment>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a list of cards</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>The computer played for you: %1.</source>
        <translation>L&apos;ordinateur a joué pour vous&#xa0;: %1.</translation>
    </message>
</context>
<context>
    <name>TableSpeech</name>
    <message>
        <source>on the table</source>
        <translation>sur la table</translation>
    </message>
    <message>
        <source>played by you</source>
        <translation>jouée par vous</translation>
    </message>
    <message>
        <source>played by %1</source>
        <translation>jouée par %1</translation>
    </message>
    <message>
        <source>in the kitty</source>
        <translation>dans la veuve</translation>
    </message>
    <message>
        <source>in your hand</source>
        <translation>dans votre main</translation>
    </message>
    <message>
        <source>in %1&apos;s hand</source>
        <translation>dans la main de %1</translation>
    </message>
    <message>
        <source>%1, %2, marked to throw away</source>
        <translation>%1, %2, marquée pour l&apos;écart</translation>
    </message>
    <message>
        <source>A card face down, %1</source>
        <translation>Une carte face cachée, %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, playable</source>
        <translation>%1, jouable</translation>
    </message>
    <message>
        <source>Bid: %1 by %2</source>
        <translation>Mise&#xa0;: %1 par %2</translation>
    </message>
    <message>
        <source>We %1, They %2</source>
        <translation>Nous %1, Eux %2</translation>
    </message>
    <message>
        <source>No trump yet</source>
        <translation>Pas encore d&apos;atout</translation>
    </message>
    <message>
        <source>Trump: %1</source>
        <translation>Atout&#xa0;: %1</translation>
    </message>
    <message>
        <source>No tricks</source>
        <translation>Aucune levée</translation>
    </message>
    <message numerus="yes">
        <source>%n trick(s)</source>
        <translation>
            <numerusform>%n levée</numerusform>
            <numerusform>%n levées</numerusform>
        </translation>
    </message>
    <message>
        <source>You pass.</source>
        <translation>Vous passez.</translation>
    </message>
    <message>
        <source>You bid %1.</source>
        <translation>Vous misez %1.</translation>
    </message>
    <message>
        <source>%1 passes.</source>
        <translation>%1 passe.</translation>
    </message>
    <message>
        <source>%1 bids %2.</source>
        <translation>%1 mise %2.</translation>
    </message>
    <message numerus="yes">
        <source>you %n card(s)</source>
        <translation>
            <numerusform>vous %n carte</numerusform>
            <numerusform>vous %n cartes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 %n card(s)</source>
        <translation>
            <numerusform>%1 %n carte</numerusform>
            <numerusform>%1 %n cartes</numerusform>
        </translation>
    </message>
    <message>
        <source>The draw: %1.</source>
        <translation>La pige&#xa0;: %1.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>You play %1.</source>
        <translation>Vous jouez %1.</translation>
    </message>
    <message>
        <source>%1 plays %2.</source>
        <translation>%1 joue %2.</translation>
    </message>
    <message>
        <source>You take the trick.</source>
        <translation>Vous prenez la levée.</translation>
    </message>
    <message>
        <source>%1 takes the trick.</source>
        <translation>%1 prend la levée.</translation>
    </message>
    <message>
        <source>The hand is over. %1.</source>
        <translation>La main est finie. %1.</translation>
    </message>
    <message>
        <source>Your turn.</source>
        <translation>À vous de jouer.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>Au tour de %1.</translation>
    </message>
</context>
<context>
    <name>corvane::ui::AboutBox</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>About Corvane</source>
        <translation>À propos de Corvane</translation>
    </message>
    <message>
        <source>Cards, table and players by the Corvane team.</source>
        <translation>Cartes, table et joueurs par l&apos;équipe de Corvane.</translation>
    </message>
    <message>
        <source>Forty-fives for four: you and your partner against two opponents, at home or online.</source>
        <translation>Le quarante-cinq à quatre&#xa0;: vous et votre partenaire contre deux adversaires, à la maison ou en ligne.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Infos &amp;système...</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
</context>
<context>
    <name>corvane::ui::BidDialog</name>
    <message>
        <source>Choose Bid</source>
        <translation>Votre mise</translation>
    </message>
    <message>
        <source>&amp;Pass</source>
        <translation>&amp;Passe</translation>
    </message>
</context>
<context>
    <name>corvane::ui::ButtonWindow</name>
    <message>
        <source>Corvane Menu</source>
        <translation>Menu Corvane</translation>
    </message>
    <message>
        <source>&amp;Auto-Discard</source>
        <translation>É&amp;cart auto</translation>
    </message>
    <message>
        <source>&amp;Deal</source>
        <translation>&amp;Donner</translation>
    </message>
</context>
<context>
    <name>corvane::ui::HandHistoryWindow</name>
    <message>
        <source>Hand</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>Dealer</source>
        <translation>Donneur</translation>
    </message>
    <message>
        <source>Contract</source>
        <translation>Contrat</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>We took</source>
        <translation>Nous avons fait</translation>
    </message>
    <message>
        <source>They took</source>
        <translation>Ils ont fait</translation>
    </message>
    <message>
        <source>We</source>
        <translation>Nous</translation>
    </message>
    <message>
        <source>They</source>
        <translation>Eux</translation>
    </message>
    <message>
        <source>&lt; &amp;Previous</source>
        <translation>&lt; &amp;Précédente</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Suivante &gt;</translation>
    </message>
    <message>
        <source>Hand History</source>
        <translation>Historique des mains</translation>
    </message>
    <message>
        <source>%1 %2 %3</source>
        <comment>bidder, bid, trump</comment>
        <translation>%1 %2 en %3</translation>
    </message>
    <message>
        <source>made</source>
        <translation>faite</translation>
    </message>
    <message>
        <source>set</source>
        <translation>calée</translation>
    </message>
    <message>
        <source>misdeal</source>
        <translation>maldonne</translation>
    </message>
    <message>
        <source>in play</source>
        <translation>en jeu</translation>
    </message>
    <message>
        <source>No hand has been dealt in this game yet.</source>
        <translation>Aucune main n&apos;a encore été donnée dans cette partie.</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
</context>
<context>
    <name>corvane::ui::HandStepView</name>
    <message>
        <source>Hand %1: the deal, %2 dealing</source>
        <translation>Main %1&#xa0;: la donne, %2 donne</translation>
    </message>
    <message>
        <source>Trick %1: %2 led</source>
        <translation>Levée %1&#xa0;: %2 a entamé</translation>
    </message>
    <message>
        <source>Trick %1: %2 led, %3 took it with the top card</source>
        <translation>Levée %1&#xa0;: %2 a entamé, %3 l&apos;a prise avec la grosse carte</translation>
    </message>
    <message>
        <source>Trick %1: %2 led, %3 took it</source>
        <translation>Levée %1&#xa0;: %2 a entamé, %3 l&apos;a prise</translation>
    </message>
    <message>
        <source>%1 (dealer)</source>
        <translation>%1 (donneur)</translation>
    </message>
    <message>
        <source>%1 bid %2</source>
        <translation>%1 a misé %2</translation>
    </message>
</context>
<context>
    <name>corvane::ui::LastTrick</name>
    <message>
        <source>&amp;Last Trick</source>
        <translation>&amp;Dernière levée</translation>
    </message>
</context>
<context>
    <name>corvane::ui::LastTrickView</name>
    <message>
        <source>Last trick</source>
        <translation>Dernière levée</translation>
    </message>
</context>
<context>
    <name>corvane::ui::LobbyDialog</name>
    <message>
        <source>South</source>
        <translation>Sud</translation>
    </message>
    <message>
        <source>West</source>
        <translation>Ouest</translation>
    </message>
    <message>
        <source>North</source>
        <translation>Nord</translation>
    </message>
    <message>
        <source>East</source>
        <translation>Est</translation>
    </message>
    <message>
        <source>Play Online</source>
        <translation>Jouer en ligne</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Serveur&#xa0;:</translation>
    </message>
    <message>
        <source>The lobby&apos;s host, with :port if it is not the usual</source>
        <translation>L&apos;hôte du salon, avec :port si ce n&apos;est pas le port habituel</translation>
    </message>
    <message>
        <source>&amp;User Name:</source>
        <translation>&amp;Nom&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Internet Key:</source>
        <translation>&amp;Clé Internet&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Remember key</source>
        <translation>Se souvenir de la &amp;clé</translation>
    </message>
    <message>
        <source>Keep the key for the next time; otherwise it is forgotten when the program ends</source>
        <translation>Garder la clé pour la prochaine fois; sinon elle est oubliée à la fermeture du programme</translation>
    </message>
    <message>
        <source>New Table:</source>
        <translation>Nouvelle table&#xa0;:</translation>
    </message>
    <message>
        <source>Tables Waiting for Players</source>
        <translation>Tables qui attendent des joueurs</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Se joindre</translation>
    </message>
    <message>
        <source>&amp;New Table</source>
        <translation>&amp;Nouvelle table</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Card Table</source>
        <translation>Table de jeu</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
</context>
<context>
    <name>corvane::ui::OnlineSession</name>
    <message>
        <source>Corvane (Hosting)</source>
        <translation>Corvane (hôte)</translation>
    </message>
</context>
<context>
    <name>corvane::ui::OptionsDialog</name>
    <message>
        <source>Slow</source>
        <translation>Lent</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Give &apos;er!!</source>
        <translation>Envoye fort!!</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Pack Design</source>
        <translation>Dos des cartes</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Options de jeu</translation>
    </message>
    <message>
        <source>Must have 5 to bid 25</source>
        <translation>Un Cinq pour miser 25</translation>
    </message>
    <message>
        <source>Must follow suit</source>
        <translation>Obligé de fournir</translation>
    </message>
    <message>
        <source>Deal cards face up</source>
        <translation>Cartes face visible</translation>
    </message>
    <message>
        <source>Play Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Computer players:</source>
        <translation>Ordinateur&#xa0;:</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maître</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Langue&#xa0;:</translation>
    </message>
    <message>
        <source>Corvane speaks it from its next start.</source>
        <translation>Corvane la parle à partir du prochain démarrage.</translation>
    </message>
    <message>
        <source>The system&apos;s</source>
        <translation>Du système</translation>
    </message>
    <message>
        <source>Not while playing online</source>
        <translation>Pas pendant le jeu en ligne</translation>
    </message>
</context>
<context>
    <name>corvane::ui::RecordKeeping</name>
    <message>
        <source>Record games</source>
        <translation>Archiver</translation>
    </message>
</context>
<context>
    <name>corvane::ui::RecordWindows</name>
    <message>
        <source>Hand &amp;History</source>
        <translation>&amp;Historique des mains</translation>
    </message>
    <message>
        <source>&amp;Statistics</source>
        <translation>&amp;Statistiques</translation>
    </message>
    <message>
        <source>Save Game &amp;Record...</source>
        <translation>&amp;Enregistrer la partie...</translation>
    </message>
    <message>
        <source>Save Game Record</source>
        <translation>Enregistrer la partie</translation>
    </message>
    <message>
        <source>Game records (*.jsonl)</source>
        <translation>Parties enregistrées (*.jsonl)</translation>
    </message>
</context>
<context>
    <name>corvane::ui::RulesWindow</name>
    <message>
        <source>Rules of Corvane</source>
        <translation>Règles de Corvane</translation>
    </message>
</context>
<context>
    <name>corvane::ui::ScorePlot</name>
    <message>
        <source>Score plot</source>
        <translation>Courbe du pointage</translation>
    </message>
</context>
<context>
    <name>corvane::ui::StatisticsWindow</name>
    <message>
        <source>%1 of %2 (%3%)</source>
        <translation>%1 sur %2 (%3&#xa0;%)</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>aucune encore</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Partner</source>
        <translation>Partenaire</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>&amp;Clear Record...</source>
        <translation>&amp;Effacer le registre...</translation>
    </message>
    <message>
        <source>&amp;Export as CSV...</source>
        <translation>E&amp;xporter en CSV...</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>The record is kept in %1.</source>
        <translation>Le registre est gardé dans %1.</translation>
    </message>
    <message>
        <source>%1 Recording is off (Options).</source>
        <translation>%1 L&apos;enregistrement est désactivé (Options).</translation>
    </message>
    <message>
        <source>%1 The file cannot be used now.</source>
        <translation>%1 Le fichier ne peut pas servir pour le moment.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Export the Record</source>
        <translation>Exporter le registre</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Games&lt;/h3&gt;Played %1, won %2: %3.&lt;br&gt;Longest winning run: %4.</source>
        <translation>&lt;h3&gt;Parties&lt;/h3&gt;Jouées&#xa0;: %1, gagnées&#xa0;: %2&#xa0;: %3.&lt;br&gt;Plus longue série de victoires&#xa0;: %4.</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Win rate by computer level&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Victoires selon la force de l&apos;ordinateur&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>%1: %2&lt;br&gt;</source>
        <translation>%1&#xa0;: %2&lt;br&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Win rate by partner&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Victoires selon le partenaire&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Bids made and set&lt;/h3&gt;&lt;table cellspacing=6&gt;&lt;tr&gt;&lt;th&gt;&lt;/th&gt;&lt;th&gt;made&lt;/th&gt;&lt;th&gt;set&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;h3&gt;Mises faites et calées&lt;/h3&gt;&lt;table cellspacing=6&gt;&lt;tr&gt;&lt;th&gt;&lt;/th&gt;&lt;th&gt;faites&lt;/th&gt;&lt;th&gt;calées&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;Bid %1&lt;/td&gt;&lt;td align=right&gt;%2&lt;/td&gt;&lt;td align=right&gt;%3&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;Mise de %1&lt;/td&gt;&lt;td align=right&gt;%2&lt;/td&gt;&lt;td align=right&gt;%3&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;/table&gt;&lt;h3&gt;Points&lt;/h3&gt;%1; on average we took %2 points a hand and they %3.</source>
        <translation>&lt;/table&gt;&lt;h3&gt;Points&lt;/h3&gt;%1; en moyenne, nous avons fait %2 points par main et eux %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n hand(s)</source>
        <translation>
            <numerusform>%n main</numerusform>
            <numerusform>%n mains</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>corvane::ui::TableView</name>
    <message>
        <source>High Bid</source>
        <translation>Mise</translation>
    </message>
    <message>
        <source>Trump Suit</source>
        <translation>Atout</translation>
    </message>
    <message>
        <source>D</source>
        <comment>the dealer&apos;s mark</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>Dealer</source>
        <translation>Donneur</translation>
    </message>
    <message>
        <source>Enter a chat message here</source>
        <translation>Écrivez un message ici</translation>
    </message>
    <message>
        <source>Corvane table</source>
        <translation>Table de Corvane</translation>
    </message>
</context>
<context>
    <name>corvane::ui::TableWindow</name>
    <message>
        <source>&amp;View</source>
        <translation>Affic&amp;hage</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>&amp;Ajuster à la fenêtre</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom a&amp;vant</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom a&amp;rrière</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Taille réelle</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Nouvelle partie</translation>
    </message>
    <message>
        <source>&amp;Play Online...</source>
        <translation>&amp;Jouer en ligne...</translation>
    </message>
    <message>
        <source>Pl&amp;ayers</source>
        <translation>Jo&amp;ueurs</translation>
    </message>
    <message>
        <source>New Partner</source>
        <translation>Nouveau partenaire</translation>
    </message>
    <message>
        <source>New Opponents</source>
        <translation>Nouveaux adversaires</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Rules of Corvane...</source>
        <translation>&amp;Règles de Corvane...</translation>
    </message>
    <message>
        <source>&amp;Keyboard...</source>
        <translation>&amp;Clavier...</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>C&amp;onseil</translation>
    </message>
    <message>
        <source>&amp;About Corvane...</source>
        <translation>À &amp;propos de Corvane...</translation>
    </message>
    <message>
        <source>The rules page could not be opened.</source>
        <translation>La page des règles n&apos;a pas pu être ouverte.</translation>
    </message>
</context>
<context>
    <name>corvane::ui::TrumpDialog</name>
    <message>
        <source>Choose Trump</source>
        <translation>Choisir l&apos;atout</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>Pique</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>Carreau</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>Trèfle</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>Cœur</translation>
    </message>
    <message>
        <source>&amp;S</source>
        <comment>spades</comment>
        <translation>&amp;P</translation>
    </message>
    <message>
        <source>&amp;D</source>
        <comment>diamonds</comment>
        <translation>&amp;K</translation>
    </message>
    <message>
        <source>&amp;C</source>
        <comment>clubs</comment>
        <translation>&amp;T</translation>
    </message>
    <message>
        <source>&amp;H</source>
        <comment>hearts</comment>
        <translation>&amp;C</translation>
    </message>
</context>
<context>
    <name>corvane::ui::WinRatePlot</name>
    <message>
        <source>Win rate over time</source>
        <translation>Victoires au fil du temps</translation>
    </message>
    <message>
        <source>No finished games yet</source>
        <translation>Aucune partie finie encore</translation>
    </message>
    <message numerus="yes">
        <source>%n finished game(s)</source>
        <translation>
            <numerusform>%n partie finie</numerusform>
            <numerusform>%n parties finies</numerusform>
        </translation>
    </message>
</context>
</TS>
