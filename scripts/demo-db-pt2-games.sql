-- About three players in four are also known to PokerTracker 2, so that the
-- demo sums two trackers for them; most carry one of PokerTracker 2's rating
-- icons (2 to 15). Each gets 20 to 600 games of his own style. Fixed seed:
-- the same figures on every machine.
DO $$ BEGIN PERFORM setseed(0.2718); END $$;
DELETE FROM players WHERE player_id IN (SELECT player_id FROM players ORDER BY player_id)
  AND random() < 0.25;
UPDATE players SET treeview_icon = CASE WHEN random() < 0.85 THEN 2 + floor(random() * 14)::int
                                        ELSE 0 END;
CREATE TEMP TABLE style AS
SELECT player_id,
       20 + floor(power(random(), 2) * 580)::int AS games,
       0.10 + random() * 0.50 AS loose,
       0.15 + random() * 0.55 AS aggressive
FROM players ORDER BY player_id;
INSERT INTO game_players
SELECT row_number() OVER (), s.player_id,
       (random() < s.loose * s.aggressive * 0.6)::int,
       (random() < s.loose * s.aggressive * 0.2)::int,
       (random() < s.loose * (1 - s.aggressive) * 0.6)::int,
       (random() < s.loose * s.aggressive * 0.4)::int,
       (random() < s.loose * s.aggressive * 0.1)::int,
       (random() < s.loose * (1 - s.aggressive) * 0.4)::int,
       (random() < s.loose * s.aggressive * 0.3)::int,
       (random() < s.loose * s.aggressive * 0.08)::int,
       (random() < s.loose * (1 - s.aggressive) * 0.3)::int,
       1, 1, 1,
       (random() < s.loose * s.aggressive)::int,
       (random() < s.loose)::int,
       (random() < s.loose * 0.4)::int,
       (random() < s.loose * 0.9)::int,
       (random() < 0.5)::int,
       round((random() * 6)::numeric, 2),
       round((random() * 6.2)::numeric, 2)
FROM style s, generate_series(1, s.games) AS g;
CREATE INDEX game_players_player_id ON game_players (player_id);
ANALYZE;
